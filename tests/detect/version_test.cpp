#include "detect/version.h"
#include <gtest/gtest.h>

namespace {

VersionNumber V(int32_t a, int32_t b = 0, int32_t c = 0, int32_t d = 0)
{
    VersionNumber v;
    v.part[0] = a;
    v.part[1] = b;
    v.part[2] = c;
    v.part[3] = d;
    return v;
}

std::string Show(const VersionNumber& v)
{
    return std::to_string(v.part[0]) + "." + std::to_string(v.part[1]) + "." + std::to_string(v.part[2]) + "." +
           std::to_string(v.part[3]);
}

const VersionNumber kZero = V(0);
const VersionNumber kAllOnes = V(65535, 65535, 65535, 65535);

TEST(ParseVersion, Table)
{
    const struct {
        const wchar_t* text;
        bool ok;
        VersionNumber value;
    } cases[] = {
        {L"", false, kZero},
        {L"abc", false, kZero},
        {L"1", true, V(1)},
        {L"1.2.3.4", true, V(1, 2, 3, 4)},
        {L"1,2,3,4", true, V(1, 2, 3, 4)},
        {L"1.2.3.4.5", true, V(1, 2, 3, 4)},
        {L"2.0.50727", true, V(2, 0, 50727)},
        {L"version 4.0.30319", true, V(4, 0, 30319)},
        {L"rev 1.2 build 7", true, V(1, 2, 7)},
        {L"version 10", true, V(10)},
        {L"1..2", true, V(1, 2)},
        {L"1.2.", true, V(1, 2)},
        {L"0.0.0.0", true, kZero},       // readable, although it is the zero version
        {L"007.08", true, V(7, 8)},
        {L"-3", true, V(3)},             // the sign is just a separator
        {L"\x0661.2", true, V(2)},       // Arabic-Indic one is not an ASCII digit
        {L"2147483647", true, V(2147483647)},
        {L"214748364", true, V(214748364)},
        {L"9999999999", false, kZero},   // stopped before the tenth digit
        {L"2147483648", false, kZero},   // past the digit test, but beyond 32 bits
        {L"2147483649", false, kZero},
        {L"1.2.3.2147483648", false, kZero},  // a bad later field spoils the whole value
        {L"1.2.3.4.99999999999", true, V(1, 2, 3, 4)},  // text after the fourth field is ignored
        {L"65535.65535.65535.65535", true, kAllOnes},
    };
    for (const auto& c : cases) {
        VersionNumber v = V(9, 9, 9, 9);
        bool ok = ParseVersion(c.text, v);
        std::string input = ::testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(ok, c.ok) << input;
        EXPECT_EQ(Show(v), Show(c.value)) << input;
        EXPECT_EQ(Show(ParseVersion(c.text)), Show(c.value)) << input;
    }
}

TEST(CompareVersions, FieldsCompareAsSignedNumbersInOrder)
{
    const struct {
        VersionNumber a, b;
        int result;
    } cases[] = {
        {V(1, 10), V(1, 9), 1},
        {V(1, 9), V(1, 10), -1},
        {V(1, 2, 3, 4), V(1, 2, 3, 4), 0},
        {V(2), V(1, 99, 99, 99), 1},
        {V(1, 2, 3, 4), V(1, 2, 3, 5), -1},
        {V(1, 2, 4, 0), V(1, 2, 3, 9), 1},
        {V(-1), V(0), -1},
        {V(2147483647), V(-2147483647 - 1), 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareVersions(c.a, c.b), c.result) << Show(c.a) << " vs " << Show(c.b);
}

TEST(VersionPredicates, ZeroAndOpenBounds)
{
    EXPECT_TRUE(IsZeroVersion(kZero));
    EXPECT_FALSE(IsZeroVersion(V(0, 0, 0, 1)));
    EXPECT_TRUE(IsOpenBound(kZero));
    EXPECT_TRUE(IsOpenBound(kAllOnes));
    EXPECT_FALSE(IsOpenBound(V(65535, 65535, 65535, 0)));
    EXPECT_FALSE(IsOpenBound(V(65536, 65535, 65535, 65535)));
    EXPECT_FALSE(IsOpenBound(V(-1, -1, -1, -1)));
}

TEST(FormatVersion, Table)
{
    const struct {
        VersionNumber value;
        const wchar_t* text;
    } cases[] = {
        {V(1, 2), L"1.2"},
        {V(1), L"1.0"},
        {V(5), L"5.0"},
        {V(7, 0, 0, 65535), L"7.0"},
        {V(3, 65535), L"3.65535"},
        {V(0, 0, 0, 7), L"0.0.0.7"},
        {V(1, 2, 3, 4), L"1.2.3.4"},
        {V(1, 0, 3), L"1.0.3"},
        {V(65535, 65535, 1, 65535), L"65535.65535.1"},
        {kZero, L"0.0.0.0"},
        {kAllOnes, L"0.0.0.0"},
        {V(65535), L"0.0.0.0"},
        {V(-5, 2), L"-5.2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatVersion(c.value), c.text) << Show(c.value);
}

TEST(FormatVersion, TextReadsBackToTheSameValueExceptForTrailingAllOnesFields)
{
    EXPECT_EQ(Show(ParseVersion(FormatVersion(V(10, 0, 19041, 1)))), "10.0.19041.1");
    EXPECT_EQ(Show(ParseVersion(FormatVersion(V(7, 0, 0, 65535)))), "7.0.0.0");
}

TEST(FileVersionText, HalvesAsUnsigned16BitNumbers)
{
    EXPECT_EQ(FileVersionText(0, 0), L"0.0.0.0");
    EXPECT_EQ(FileVersionText(0x00060001, 0x1DB10000), L"6.1.7601.0");
    EXPECT_EQ(FileVersionText(0xFFFF8000, 0x00017FFF), L"65535.32768.1.32767");
}

TEST(WithinBounds, Table)
{
    const struct {
        VersionNumber min, max, v;
        bool within;
    } cases[] = {
        {kZero, kZero, kZero, true},
        {kAllOnes, kZero, V(1), true},
        {kZero, kAllOnes, V(99), true},
        {V(2), kZero, V(1, 9), false},
        {V(1), V(2), V(2), true},
        {V(1), V(2), V(1), true},
        {V(1), V(2), V(2, 0, 0, 1), false},
        {kZero, V(2), V(2, 0, 0, 1), false},
        {kZero, V(2), kZero, true},        // a zero candidate is below any maximum
        {V(1), kAllOnes, V(70000), true},  // the all-ones maximum is absent here
        {V(1), kZero, kZero, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithinBounds(c.min, c.max, c.v), c.within)
            << "min " << Show(c.min) << " max " << Show(c.max) << " v " << Show(c.v);
}

TEST(AnyFoundWithinBounds, Table)
{
    using Texts = std::vector<std::wstring>;
    const struct {
        VersionNumber min, max;
        Texts found;
        bool within;
    } cases[] = {
        {kZero, kZero, Texts{}, false},
        {V(1), V(2), Texts{}, false},
        {kZero, kZero, Texts{L"any text"}, true},
        {kZero, kZero, Texts{L""}, true},
        {V(1), kZero, Texts{L"0.0.0.0", L"1.5"}, true},
        {V(1), kZero, Texts{L"beta"}, false},
        {V(1), kZero, Texts{L"0.9", L"0.99"}, false},
        {kZero, kAllOnes, Texts{L"3.0"}, true},   // all-ones is a real maximum here
        {kZero, kAllOnes, Texts{L"70000.0"}, false},
        {kZero, V(2), Texts{L"0.0"}, false},      // a zero text never meets a set bound
        {kAllOnes, kZero, Texts{L"3.0"}, false},  // nor does anything below an all-ones minimum
        {V(1), V(2), Texts{L"2.0.0.1", L"2.0"}, true},
        {V(1), V(2), Texts{L"2.0.0.1", L"0.5"}, false},
        {V(1, 0, 0, 1), kZero, Texts{L"1.0"}, false},
    };
    for (const auto& c : cases) {
        std::string list;
        for (const std::wstring& text : c.found)
            list += "'" + ::testing::PrintToString(text) + "' ";
        EXPECT_EQ(AnyFoundWithinBounds(c.min, c.max, c.found), c.within)
            << "min " << Show(c.min) << " max " << Show(c.max) << " found " << list;
    }
}

TEST(ParseDecimal, Table)
{
    const struct {
        const wchar_t* text;
        int32_t value;
    } cases[] = {
        {L"  42abc", 42},
        {L"-7", -7},
        {L"x", 0},
        {L"", 0},
        {L"-", 0},
        {L"-+5", -5},
        {L"+5", 5},
        {L"+-5", 0},
        {L"--5", 0},
        {L"\t5", 0},         // only U+0020 is skipped
        {L" - 5", 0},
        {L"2147483647", 2147483647},
        {L"2147483648", -2147483647 - 1},  // wraps at 32 bits
        {L"4294967297", 1},
        {L"-2147483648", -2147483647 - 1},
        {L"0012", 12},
        {L"1033;", 1033},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDecimal(c.text), c.value) << ::testing::PrintToString(std::wstring(c.text));
}

} // namespace
