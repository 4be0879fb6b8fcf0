#include "storage/cluster_names.h"

#include <gtest/gtest.h>

TEST(ClusterNames, OrdinaryNamesAreUsable) {
    for (const wchar_t* name : {L"Work", L"Café 2", L"a.b", L"COM0", L"Console", L"nul-free", L".hidden", L"[x]"}) {
        EXPECT_TRUE(IsUsableClusterName(name)) << name;
    }
}

TEST(ClusterNames, NamesThatLeaveTheFolderNameADeviceOrChangeOnDiskAreRefused) {
    for (const wchar_t* name :
         {L"",        L"..",   L".",       L"...",  L"  ",   L"..\\x",     L"a/b",   L"C:x",      L"a*",
          L"a?",      L"a\"b", L"a<b",     L"a>b",  L"a|b",  L"Work.",     L"Work ", L"NUL",      L"nul",
          L"Nul.txt", L"CON",  L"aux.ini", L"COM1", L"lpt9", L"COM\u00B9", L"PRN ",  L"tab\there"}) {
        EXPECT_FALSE(IsUsableClusterName(name)) << name;
    }
}
