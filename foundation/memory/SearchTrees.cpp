#include "foundation/memory/SearchTrees.h"

#include <cstring>

#include "foundation/memory/Memory.h"
#include "foundation/text/NameCompare.h"

namespace {

// Ordering of a key against a node: negative below, 0 equal, positive at or after.
int orderOf(const char* key, const CLitTree::Node* node) {
    return compareNames(key, node->key);
}

int orderOf(std::uint32_t low, const CNumTree::Node* node) {
    return low < node->low ? -1 : (low > node->low ? 1 : 0);
}

template <typename Node, typename Key>
Node* findNode(Node* root, const Key& key) {
    Node* node = root;
    while (node) {
        const int order = orderOf(key, node);
        if (order == 0) return node;
        node = order < 0 ? node->left : node->right;
    }
    return nullptr;
}

// Walks to the empty place for key; answers false when an equal key is present.
template <typename Node, typename Key>
bool placeFor(Node* root, const Key& key, Node*& parent, bool& asLeft) {
    parent = nullptr;
    asLeft = false;
    for (Node* node = root; node;) {
        const int order = orderOf(key, node);
        if (order == 0) return false;
        parent = node;
        asLeft = order < 0;
        node = asLeft ? node->left : node->right;
    }
    return true;
}

template <typename Node>
void hang(Node*& root, Node* node, Node* parent, bool asLeft) {
    node->left = nullptr;
    node->right = nullptr;
    node->parent = parent;
    if (!parent) root = node;
    else if (asLeft) parent->left = node;
    else parent->right = node;
}

// Removal by successor: the node that leaves the tree is z itself or the leftmost node of its right
// subtree, whose contents then move into z. Answers the node to free.
template <typename Node, typename CopyContents>
Node* unlink(Node*& root, Node* z, CopyContents copyContents) {
    Node* y = z;
    if (z->left && z->right) {
        y = z->right;
        while (y->left) y = y->left;
    }
    Node* x = y->left ? y->left : y->right;
    if (x) x->parent = y->parent;
    if (!y->parent) root = x;
    else if (y == y->parent->left) y->parent->left = x;
    else y->parent->right = x;
    if (y != z) copyContents(z, y);
    return y;
}

// Frees every node without recursion (an unbalanced tree may be deep).
template <typename Node>
void freeAllNodes(Node*& root) {
    Node* node = root;
    while (node) {
        if (node->left) {
            node = node->left;
        } else if (node->right) {
            node = node->right;
        } else {
            Node* parent = node->parent;
            if (parent) (parent->left == node ? parent->left : parent->right) = nullptr;
            freeMemory(node);
            node = parent;
        }
    }
    root = nullptr;
}

}  // namespace

CLitTree::~CLitTree() {
    freeAllNodes(root);
}

std::int16_t CLitTree::insert(const char* key, std::int32_t value) {
    if (std::strlen(key) > kMaxKeyLength) return treeResult::kKeyTooLong;
    Node* parent = nullptr;
    bool asLeft = false;
    if (!placeFor(root, key, parent, asLeft)) return treeResult::kDuplicate;
    auto* node = static_cast<Node*>(allocMemory(sizeof(Node)));
    if (!node) return treeResult::kNoMemory;
    std::memset(node->key, 0, sizeof node->key);
    std::memcpy(node->key, key, std::strlen(key));
    node->value = value;
    hang(root, node, parent, asLeft);
    return treeResult::kOk;
}

std::int16_t CLitTree::remove(const char* key) {
    Node* z = findNode(root, key);
    if (!z) return treeResult::kNotFound;
    Node* gone = unlink(root, z, [](Node* to, const Node* from) {
        std::memcpy(to->key, from->key, sizeof to->key);
        to->value = from->value;
    });
    freeMemory(gone);
    return treeResult::kOk;
}

std::int16_t CLitTree::find(const char* key, std::int32_t& value) const {
    const Node* node = findNode(root, key);
    if (!node) return treeResult::kNotFound;
    value = node->value;
    return treeResult::kOk;
}

CNumTree::~CNumTree() {
    freeAllNodes(root);
}

std::int16_t CNumTree::insert(std::uint32_t low, std::uint32_t high, std::int32_t value) {
    Node* parent = nullptr;
    bool asLeft = false;
    if (!placeFor(root, low, parent, asLeft)) return treeResult::kDuplicate;
    auto* node = static_cast<Node*>(allocMemory(sizeof(Node)));
    if (!node) return treeResult::kNoMemory;
    node->low = low;
    node->high = high;
    node->value = value;
    hang(root, node, parent, asLeft);
    return treeResult::kOk;
}

std::int16_t CNumTree::remove(std::uint32_t low) {
    Node* z = findNode(root, low);
    if (!z) return treeResult::kNotFound;
    Node* gone = unlink(root, z, [](Node* to, const Node* from) {
        to->low = from->low;
        to->high = from->high;
        to->value = from->value;
    });
    freeMemory(gone);
    return treeResult::kOk;
}

std::int16_t CNumTree::find(std::uint32_t number, std::int32_t& value) const {
    for (const Node* node = root; node;) {
        if (node->low <= number && number <= node->high) {
            value = node->value;
            return treeResult::kOk;
        }
        node = number < node->low ? node->left : node->right;
    }
    return treeResult::kNotFound;
}
