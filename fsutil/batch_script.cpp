#include "fsutil/batch_script.h"

namespace {

// cmd expands "%name%" in a batch file even between quotation marks; "%%" stands for "%".
std::string BatchLiteral(std::string_view path)
{
    std::string text;
    text.reserve(path.size());
    for (char c : path) {
        text += c;
        if (c == '%')
            text += '%';
    }
    return text;
}

} // namespace

std::string SelfDeleteScript(bool isFolder, std::string_view target, std::string_view batchPath)
{
    const std::string quotedTarget = "\"" + BatchLiteral(target) + "\"";
    const std::string quotedBatch = "\"" + BatchLiteral(batchPath) + "\"";
    std::string script = "@echo off \r\n";
    script += "ATTRIB -r " + quotedTarget + " \r\n";
    script += ":try \r\n";
    script += (isFolder ? "rd " : "del ") + quotedTarget + " \r\n";
    script += "if exist " + quotedTarget + " goto try\r\n";
    script += "ATTRIB -r " + quotedBatch + " \r\n";
    script += "del " + quotedBatch + " | cls";
    return script;
}
