#pragma once
// Test doubles for what a parameter block reaches outside the model: the conversion task's buffers and a
// document theme that has fonts.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/params/ParamBlockHost.h"
#include "package/theme/CTheme.h"

// A task with its two buffers, counting how often the block had them cleared.
class TaskDouble : public ParamBlockHost {
public:
    explicit TaskDouble(std::int16_t pageSize) : pageSize(pageSize) {}

    void clearBuffers() override {
        ++clears;
        text.assign(text.size(), 0);
        side.assign(side.size(), 0);
    }
    char16_t* textBuffer() override { return text.data(); }
    char* sideBuffer() override { return side.data(); }
    std::int16_t defaultPageSize() const override { return pageSize; }

    std::vector<char16_t> text = std::vector<char16_t>(kTaskTextBufferUnits, u'x');
    std::vector<char> side = std::vector<char>(kTaskSideBufferBytes, 'x');
    int clears = 0;

private:
    std::int16_t pageSize;
};

// A theme with the typefaces a test gives it, by theme-font code.
class ThemeDouble : public CTheme {
public:
    explicit ThemeDouble(std::map<std::int16_t, std::string> fonts) : fonts(std::move(fonts)) {}

    const char* fontName(std::int16_t code) const override {
        const auto found = fonts.find(code);
        return found == fonts.end() ? nullptr : found->second.c_str();
    }

private:
    std::map<std::int16_t, std::string> fonts;
};
