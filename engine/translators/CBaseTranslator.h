#pragma once
// The common base of importers and exporters. The engines and the registry reach a translator only
// through `dispatch`, which takes one request block (see TranslatorRequest.h) and answers 0, or the
// code of the failure the request raised.
//
// Importers and exporters dispatch alike (dispatchRequest): the start and identify requests run on their
// own; any other request first opens the translator's file when it is the request that opens it, then
// runs the operation of its code; a failure releases the file.
#include <cstdint>
#include "foundation/CBase.h"
#include "foundation/FailureCode.h"
#include "foundation/text/PascalWString.h"

class CFile;
struct TranslatorDescriptor;
struct XParamBlock;

class CBaseTranslator : public CBase {
public:
    // descriptor: static data, not owned.
    explicit CBaseTranslator(const TranslatorDescriptor* descriptor) : descriptor(descriptor) {}
    ~CBaseTranslator() override;
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

    // The dispatch of importers and exporters; openCode is the request that opens the file.
    std::int32_t dispatchRequest(XParamBlock* requestBlock, std::int16_t openCode);

    virtual void start();
    virtual void identify(std::int16_t isQuick);
    virtual void openFile() {}
    virtual void handleSelector() {}
    virtual void onStart1() {}
    virtual void onStart2() {}
    virtual void onStart3() {}
    // The identify hook: accepts the item by returning, refuses it by raising a failure (32003 for an
    // item that is not a document of this kind). Exporters are sent no identify requests.
    virtual void identifyFile(const PascalWString& name, const PascalWString& folder, std::int16_t isQuick);

    // Writes -1 ("answered", "yes") into the block.
    void answerYes();
    void releaseFile();

    const TranslatorDescriptor* descriptor;
    XParamBlock* block = nullptr;
    CFile* file = nullptr;
};
