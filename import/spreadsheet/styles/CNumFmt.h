#pragma once
// One number format of a workbook's style part: an id and its format code. Ids 0 to 49 are built in;
// a workbook may define its own codes ("numFmts") and may redefine a built-in id.
//
//   numFmts
//     numFmt numFmtId="164" formatCode="0.0%"
#include <libxml/tree.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class ExFormat;

class CNumFmt {
public:
    CNumFmt();
    CNumFmt(const CNumFmt& other);
    CNumFmt& operator=(const CNumFmt& other);
    ~CNumFmt();

    void reset();
    void setBuiltin(std::int32_t id);
    // "formatCode" and "numFmtId"; an absent attribute leaves its field.
    void read(const xmlNode* element);

    // The engine for this code, made once and kept.
    const ExFormat& formatter() const;

    std::u16string formatCode;
    std::int32_t numFmtId = 0;

private:
    mutable std::unique_ptr<ExFormat> engine;
};

// The number formats by id: the 50 built-in ones, then the workbook's, a workbook's code replacing a
// built-in one of the same id.
class CNumFmtsArray {
public:
    void add(const CNumFmt& format);
    // Null when no format has that id.
    const CNumFmt* findById(std::int32_t id) const;

private:
    std::map<std::int32_t, CNumFmt> formats;
};
