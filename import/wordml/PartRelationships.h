#pragma once
// The ".rels" part that holds the relationships of a package part: "word/_rels/header1.xml.rels" for
// "word/header1.xml".
#include <string>

std::string relationshipsPartOf(const std::string& partPath);
