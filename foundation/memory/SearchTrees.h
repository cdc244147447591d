#pragma once
// Two small dictionaries on plain binary search trees (no balancing: they are filled once from
// data files at start-up). CLitTree maps short text keys (at most 7 characters, compared by the name
// rule) to a 32-bit value; CNumTree maps ranges of unsigned 32-bit numbers to a 32-bit value.
// A tree frees its nodes when it is destroyed; the records its values point to stay the owner's.
#include <cstdint>

#include "foundation/CBase.h"

namespace treeResult {
constexpr std::int16_t kOk = 0;
constexpr std::int16_t kNoMemory = 1;
constexpr std::int16_t kDuplicate = 2;
constexpr std::int16_t kNotFound = 3;
constexpr std::int16_t kKeyTooLong = 4;
}  // namespace treeResult

class CLitTree : public CBase {
public:
    static constexpr int kMaxKeyLength = 7;

    CLitTree() = default;
    ~CLitTree() override;
    CLitTree(const CLitTree&) = delete;
    CLitTree& operator=(const CLitTree&) = delete;

    virtual std::int16_t insert(const char* key, std::int32_t value);
    virtual std::int16_t remove(const char* key);
    virtual std::int16_t find(const char* key, std::int32_t& value) const;

    struct Node {
        Node* left;
        Node* right;
        Node* parent;
        char key[kMaxKeyLength + 1];
        std::int32_t value;
    };

private:
    Node* root = nullptr;
};

class CNumTree : public CBase {
public:
    CNumTree() = default;
    ~CNumTree() override;
    CNumTree(const CNumTree&) = delete;
    CNumTree& operator=(const CNumTree&) = delete;

    virtual std::int16_t insert(std::uint32_t low, std::uint32_t high, std::int32_t value);
    virtual std::int16_t remove(std::uint32_t low);
    // The value of a range holding number; where ranges overlap, the first met on the walk wins.
    virtual std::int16_t find(std::uint32_t number, std::int32_t& value) const;

    struct Node {
        Node* left;
        Node* right;
        Node* parent;
        std::uint32_t low;
        std::uint32_t high;
        std::int32_t value;
    };

private:
    Node* root = nullptr;
};
