#include "fsutil/batch_script.h"
#include <gtest/gtest.h>

namespace {

// The scripts line by line, as cmd reads them; every line but the last ends with CR LF, and
// the first five carry a blank before it.
TEST(SelfDeleteScript, FolderScriptByteForByte)
{
    const std::string expected =
        "@echo off \r\n"
        "ATTRIB -r \"C:\\T\\X~1\" \r\n"
        ":try \r\n"
        "rd \"C:\\T\\X~1\" \r\n"
        "if exist \"C:\\T\\X~1\" goto try\r\n"
        "ATTRIB -r \"C:\\Temp\\EXE1A2.tmp.bat\" \r\n"
        "del \"C:\\Temp\\EXE1A2.tmp.bat\" | cls";
    EXPECT_EQ(SelfDeleteScript(true, "C:\\T\\X~1", "C:\\Temp\\EXE1A2.tmp.bat"), expected);
}

TEST(SelfDeleteScript, FileScriptByteForByte)
{
    const std::string expected =
        "@echo off \r\n"
        "ATTRIB -r \"C:\\PROGRA~1\\APP\\SETUP.EXE\" \r\n"
        ":try \r\n"
        "del \"C:\\PROGRA~1\\APP\\SETUP.EXE\" \r\n"
        "if exist \"C:\\PROGRA~1\\APP\\SETUP.EXE\" goto try\r\n"
        "ATTRIB -r \"C:\\users\\me\\Temp\\EXEb.tmp.bat\" \r\n"
        "del \"C:\\users\\me\\Temp\\EXEb.tmp.bat\" | cls";
    EXPECT_EQ(SelfDeleteScript(false, "C:\\PROGRA~1\\APP\\SETUP.EXE", "C:\\users\\me\\Temp\\EXEb.tmp.bat"), expected);
}

// cmd would expand %b% inside the quotation marks and delete, or wait for, another name.
TEST(SelfDeleteScript, PercentSignsAreDoubled)
{
    const std::string script = SelfDeleteScript(false, "C:\\a%b%\\x.exe", "C:\\t%\\EXE1.tmp.bat");
    EXPECT_NE(script.find("del \"C:\\a%%b%%\\x.exe\" \r\n"), std::string::npos) << script;
    EXPECT_NE(script.find("del \"C:\\t%%\\EXE1.tmp.bat\" | cls"), std::string::npos) << script;
}

} // namespace
