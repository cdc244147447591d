#include "app/CommandLine.h"

#include "app/FailureReport.h"
#include "app/conversion/ConversionLauncher.h"
#include "foundation/FailureCode.h"
#include "platform/files/FileName.h"
#include "platform/files/WorkingFolder.h"

RegistrationSwitch registrationSwitch(const std::vector<std::string>& arguments) {
    RegistrationSwitch found = RegistrationSwitch::none;
    for (const std::string& argument : arguments) {
        if (argument == "/install") return RegistrationSwitch::install;
        if (argument == "/remove") found = RegistrationSwitch::remove;
    }
    return found;
}

int convertCommandLineFiles(const std::vector<std::string>& arguments, ConversionLauncher& launcher) {
    if (arguments.empty()) return 0;
    const std::string workingFolder = platform::workingFolder();
    int untaken = 0;
    CTypeArray items;
    CTypeArray wordResults;
    CTypeArray sheetResults;
    for (const std::string& argument : arguments) {
        const std::string path = !argument.empty() && argument[0] == '/' ? argument : workingFolder + argument;
        FileSpec item;
        std::int16_t code = makeFileSpecFromPath(item, platform::fileNameFromBytes(path).c_str());
        if (code == result::kSuccess) code = failureCode([&] { items.addFileSpec(item); });
        if (code != result::kSuccess) {
            ++untaken;
            reportFailureText(nullptr, u"Could not take '%s' as a file to convert (error %d).", messageflags::kStopOk,
                              argument.c_str(), static_cast<std::int32_t>(code));
        }
    }
    if (items.getCount() > 0) launcher.convertJob(&items, &wordResults, &sheetResults);
    return untaken;
}
