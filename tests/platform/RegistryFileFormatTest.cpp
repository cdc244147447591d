#include <gtest/gtest.h>

#include <string>

#include "platform/registry/RegistryFileFormat.h"
#include "platform/registry/RegistryTree.h"

namespace {

using platform::RegistryNode;
using platform::RegistryTree;

// The text of the tree that the text reads into, and whether it read whole.
std::string rewritten(const std::string& text, bool* whole = nullptr) {
    RegistryTree tree;
    const bool read = platform::readRegistryText(text, tree);
    if (whole) *whole = read;
    return platform::writeRegistryText(tree);
}

// A key line naming a chain of `depth` keys, each name `nameLength` bytes (a different letter per level).
std::string deepKeyLine(std::size_t depth, std::size_t nameLength) {
    std::string line = "[HKEY_CURRENT_USER";
    for (std::size_t level = 0; level < depth; ++level) {
        line += '\\';
        line += std::string(nameLength, static_cast<char>('a' + level % 26));
    }
    return line + "]\n";
}

const std::string kFormatLine = "vostrandimeko-registry 1\n";

TEST(RegistryFileFormat, KeysAtTheDepthLimitAreWrittenAsLongAsTheyWereRead) {
    // One chain of keys as deep and with names as long as the registry allows: each key's path must be
    // written once, not once for every key above the leaf (which made a 0.4 MB file a hundred-megabyte one).
    const std::string text = kFormatLine + deepKeyLine(platform::kRegistryDepthLimit, platform::kRegistryNameLimit) + "@=\"bottom\"\n";
    bool whole = false;
    const std::string written = rewritten(text, &whole);
    ASSERT_TRUE(whole);
    EXPECT_LE(written.size(), text.size() + 256) << "the header comment is all the file may add";
    EXPECT_EQ(rewritten(written), written);  // what is written reads back as the same tree

    RegistryTree tree;
    ASSERT_TRUE(platform::readRegistryText(written, tree));
    const RegistryNode* node = &tree.currentUser;
    std::size_t depth = 0;
    while (!node->children.empty()) {
        ASSERT_EQ(node->children.size(), 1u);
        node = node->children.begin()->second.get();
        ++depth;
    }
    EXPECT_EQ(depth, platform::kRegistryDepthLimit);
    ASSERT_NE(node->value(""), nullptr);
    EXPECT_EQ(node->value("")->data, "bottom");
}

TEST(RegistryFileFormat, EveryKeyAndValueOfABranchingTreeRoundTrips) {
    RegistryTree tree;
    RegistryNode& shell = tree.classesRoot.childOrNew("Vostrandimeko").childOrNew("shell");
    shell.setValue("", "open");                              // a key with values and keys below it
    shell.childOrNew("open").childOrNew("command").setValue("", "\"/usr/bin/v\" \"%1\"");
    shell.childOrNew("print");                               // an empty leaf: kept by its own line
    tree.classesRoot.childOrNew(".docx").setValue("Content Type", "application/x");
    tree.classesRoot.setValue("", "a value of the root");
    tree.currentUser.childOrNew("Software").childOrNew("Empty");

    const std::string written = platform::writeRegistryText(tree);
    EXPECT_EQ(rewritten(written), written);
    RegistryTree back;
    ASSERT_TRUE(platform::readRegistryText(written, back));
    const RegistryNode* readShell = back.classesRoot.child("vostrandimeko")->child("SHELL");
    ASSERT_NE(readShell, nullptr);
    EXPECT_EQ(readShell->value("")->data, "open");
    EXPECT_NE(readShell->child("print"), nullptr);
    EXPECT_EQ(readShell->child("open")->child("command")->value("")->data, "\"/usr/bin/v\" \"%1\"");
    EXPECT_EQ(back.classesRoot.value("")->data, "a value of the root");
    EXPECT_NE(back.currentUser.child("Software")->child("Empty"), nullptr);
    // The keys with keys below them and no values are named only inside their children's paths.
    EXPECT_EQ(written.find("[HKEY_CLASSES_ROOT\\Vostrandimeko]\n"), std::string::npos);
    EXPECT_EQ(written.find("[HKEY_CURRENT_USER\\Software]\n"), std::string::npos);
}

TEST(RegistryFileFormat, AKeyLineDeeperThanTheLimitIsPassedOver) {
    const std::string text = kFormatLine + deepKeyLine(platform::kRegistryDepthLimit + 1, 1) + "@=\"lost\"\n";
    RegistryTree tree;
    EXPECT_FALSE(platform::readRegistryText(text, tree));
    EXPECT_TRUE(tree.currentUser.children.empty());
}

}  // namespace
