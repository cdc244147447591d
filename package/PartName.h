#pragma once
// Part names of a package: paths inside it, '/' separated, without a leading '/'. Relationship
// targets are URIs relative to the folder of the part that holds the relationships; resolving one
// never leaves the package.
#include <optional>
#include <string>
#include <string_view>

// The part a target names: "/" makes it absolute from the package root, otherwise it is taken
// relative to sourceFolder ("word/", or "" for the root); %-escapes are decoded, "." and ".."
// segments applied, and a fragment ("#...") dropped. No value when the target climbs above the
// package root, holds a malformed escape or a 0 byte, or names nothing.
std::optional<std::string> resolvePartName(std::string_view sourceFolder, std::string_view target);

// True when the name stays inside the package: not empty, no leading '/', no backslash or 0 byte,
// and no "." or ".." segment.
bool isPlainPartName(std::string_view name);

// The folder ("xl/worksheets/") of the part whose relationships the ".rels" part at relsPath holds
// ("xl/worksheets/_rels/sheet1.xml.rels"); a ".rels" part outside a "_rels" folder gives its own folder.
std::string sourceFolderOfRels(std::string_view relsPath);
