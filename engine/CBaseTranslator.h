#pragma once
// The common base of importers and exporters. The engines and the registry reach a translator only
// through `dispatch`, which takes one request block (see TranslatorRequest.h) and answers 0, or the
// code of the failure the request raised.
#include <cstdint>
#include "foundation/CBase.h"
#include "foundation/FailureCode.h"

struct TranslatorDescriptor;
struct XParamBlock;

class CBaseTranslator : public CBase {
public:
    // descriptor: static data, not owned.
    explicit CBaseTranslator(const TranslatorDescriptor* descriptor) : descriptor(descriptor) {}
    CBaseTranslator(const CBaseTranslator&) = delete;
    CBaseTranslator& operator=(const CBaseTranslator&) = delete;

    // This base handles no request: it answers 1 and leaves the block alone.
    virtual std::int32_t dispatch(XParamBlock* block);

    const TranslatorDescriptor* translatorDescriptor() const { return descriptor; }

protected:
    // Runs one step of a request and answers 0, or the code of the failure it raised as dispatch
    // answers it. Running out of memory is failure 12 like any other: no exception leaves a translator.
    template <typename Step>
    static std::int32_t answerOf(Step&& step) {
        return static_cast<std::uint16_t>(failureCode([&] { step(); }));
    }

    const TranslatorDescriptor* descriptor;
};
