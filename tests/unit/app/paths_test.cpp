#include <gtest/gtest.h>

#include "app/shell.h"

TEST(AppPaths, DataFilesLiveUnderThePinoraFolderOfAppData) {
    wcscpy_s(AppDataPath, L"C:\\Users\\u\\AppData\\Roaming");
    EXPECT_EQ(AppDataRoot(), L"C:\\Users\\u\\AppData\\Roaming\\Pinora");
    EXPECT_EQ(ClusterFolder(), L"C:\\Users\\u\\AppData\\Roaming\\Pinora\\Clusters");
    EXPECT_EQ(SettingsFilePath(), L"C:\\Users\\u\\AppData\\Roaming\\Pinora\\config.ini");
    AppDataPath[0] = L'\0';
}
