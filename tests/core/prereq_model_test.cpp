#include "core/prereq_model.h"
#include <gtest/gtest.h>

namespace {

using A = PrereqAction;

Prerequisite Make(const wchar_t* name, A action, const wchar_t* parent = L"")
{
    Prerequisite p;
    p.name = name;
    p.action = action;
    p.parentPrereq = parent;
    return p;
}

// "+name" for every prerequisite selected, then "|" and the changes in order.
std::wstring State(const std::vector<Prerequisite>& list, const std::vector<size_t>& changes)
{
    std::wstring out;
    for (const Prerequisite& p : list)
        if (p.selected)
            out += L"+" + p.name;
    out += L"|";
    for (size_t i : changes)
        out += list[i].name;
    return out;
}

TEST(ActionText, EveryValue)
{
    const struct {
        int value;
        const wchar_t* text;
    } cases[] = {
        {0, L"An acceptable version was found."},
        {1, L"No acceptable version found. It must be installed from package."},
        {2, L"No acceptable version found. It must be downloaded."},
        {3, L"No acceptable version found. It must be downloaded manually from a site."},
        {4, L"No acceptable version found. It must be downloaded manually from a site."},
        {5, L"No acceptable version found. It is already downloaded and it will be installed."},
        {6, L"No acceptable version found."},
        {7, L"Not selected for install."},
        {8, L"Undefined"},
        {9, L"Undefined"},
        {-1, L"Undefined"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ActionText(static_cast<A>(c.value)), c.text) << c.value;
}

TEST(PropagateSelection, ParentsAndChildren)
{
    const struct {
        const wchar_t* what;
        std::vector<Prerequisite> list;
        size_t index;
        bool value;
        const wchar_t* expected;  // selected names, "|", changed names in order
    } cases[] = {
        {L"child selects a parent that needs downloading",
         {Make(L"P", A::Download), Make(L"C", A::InstallFromPackage, L"P")}, 1, true, L"+P+C|CP"},
        {L"an installed parent stays unselected",
         {Make(L"P", A::Installed), Make(L"C", A::InstallFromPackage, L"P")}, 1, true, L"+C|C"},
        {L"an excluded parent stays unselected",
         {Make(L"P", A::Excluded), Make(L"C", A::Download, L"P")}, 1, true, L"+C|C"},
        {L"a parent name that names nothing is ignored",
         {Make(L"P", A::Download), Make(L"C", A::Download, L"Q")}, 1, true, L"+C|C"},
        {L"parent names compare case-sensitively",
         {Make(L"P", A::Download), Make(L"C", A::Download, L"p")}, 1, true, L"+C|C"},
        {L"the first prerequisite of the name is the parent",
         {Make(L"P", A::Installed), Make(L"P", A::Download), Make(L"C", A::Download, L"P")}, 2, true, L"+C|C"},
        {L"selecting a parent selects children that need installing only",
         {Make(L"P", A::OpenSite), Make(L"C1", A::Download, L"P"), Make(L"C2", A::Installed, L"P"),
          Make(L"C3", A::Excluded, L"P")},
         0, true, L"+P+C1|PC1"},
        {L"two that name each other: both, and the call returns",
         {Make(L"A", A::Download, L"B"), Make(L"B", A::InstallFromPackage, L"A")}, 0, true, L"+A+B|AB"},
        {L"a prerequisite that names itself",
         {Make(L"S", A::Download, L"S")}, 0, true, L"+S|S"},
        {L"grandchildren follow their parent",
         {Make(L"G", A::Download), Make(L"P", A::Download, L"G"), Make(L"C", A::Download, L"P")}, 0, true,
         L"+G+P+C|GPC"},
    };
    for (auto c : cases) {
        std::vector<size_t> changes = PropagateSelection(c.list, c.index, c.value);
        EXPECT_EQ(State(c.list, changes), c.expected) << c.what;
    }
}

TEST(PropagateSelection, ClearingAParentClearsEveryChildButExcludedOnes)
{
    std::vector<Prerequisite> list = {Make(L"P", A::Download), Make(L"C1", A::Installed, L"P"),
                                      Make(L"C2", A::Download, L"P"), Make(L"C3", A::Excluded, L"P")};
    for (Prerequisite& p : list)
        p.selected = true;
    std::vector<size_t> changes = PropagateSelection(list, 0, false);
    EXPECT_EQ(State(list, changes), L"+C3|PC1C2");
}

TEST(PropagateSelection, NoChangeNoPropagation)
{
    std::vector<Prerequisite> list = {Make(L"P", A::Download), Make(L"C", A::Download, L"P")};
    list[0].selected = true;  // already selected: its child is not reached
    EXPECT_TRUE(PropagateSelection(list, 0, true).empty());
    EXPECT_FALSE(list[1].selected);
    EXPECT_TRUE(PropagateSelection(list, 1, false).empty());
    EXPECT_TRUE(PropagateSelection(list, 7, true).empty());  // out of range: nothing
}

TEST(PropagateSelection, RequestedValueStandsWhenTheParentClearsIt)
{
    // C is installed but selected anyway; selecting its parent clears it as a child that
    // needs nothing, and the requested selection is restored afterwards.
    std::vector<Prerequisite> list = {Make(L"P", A::Download), Make(L"C", A::Installed, L"P")};
    std::vector<size_t> changes = PropagateSelection(list, 1, true);
    EXPECT_TRUE(list[1].selected);
    EXPECT_TRUE(list[0].selected);
    EXPECT_EQ(State(list, changes), L"+P+C|CPC");
}

TEST(AnyToInstall, Table)
{
    for (int value = 0; value <= 9; ++value) {
        std::vector<Prerequisite> list = {Make(L"A", A::Installed), Make(L"B", static_cast<A>(value))};
        EXPECT_EQ(AnyToInstall(list), value >= 1 && value <= 3) << value;
    }
    EXPECT_FALSE(AnyToInstall({}));
}

} // namespace
