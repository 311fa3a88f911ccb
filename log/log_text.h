// The texts of the setup log, built without touching the file.
#pragma once
#include <cstdint>
#include <string>
#include "detect/os_version.h"

// "\r\n<< Corvane (x86) Log >>\r\n", written when the file is opened.
extern const wchar_t kLogHeader[];
// "=====================End of Log=====================\r\n", the last line of a run.
extern const wchar_t kLogFooter[];

// "2012-07-26 @11:01:23"
std::wstring TimeStampText(int year, int month, int day, int hour, int minute, int second);
// "<< OS Version:  MajorVersion: 6; ... >> \r\n\r\n": one line, then an empty line.
std::wstring OsVersionBlock(const OsVersionReport& report);

// Values appended to a fixed text, with no blank in between.
const wchar_t* BoolText(bool value);            // "true" / "false"
std::wstring UnsignedText(uint32_t value);      // "%lu"
