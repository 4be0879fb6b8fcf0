#pragma once
// Files for storage tests: a scratch folder of the test's own, byte-exact file access, the
// test data folder as Windows sees it, and AppDataPath pointed at the scratch folder.
#include <string>

// A new empty folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

// Points AppDataPath at a scratch folder with an existing "Pinora\Clusters" inside, and
// restores the old value at the end.
class ScratchAppData {
  public:
    ScratchAppData();
    ~ScratchAppData();
    ScratchAppData(const ScratchAppData&) = delete;
    ScratchAppData& operator=(const ScratchAppData&) = delete;

    std::wstring ClusterFile(const std::wstring& fileName) const;
    void WriteCluster(const std::wstring& clusterName, const std::string& bytes) const;
    std::string ReadCluster(const std::wstring& clusterName) const;

  private:
    ScratchFolder folder_;
    std::wstring savedPath_;
};

std::wstring TestDataPath(const std::string& relative);  // relative to tests/data
bool FileExists(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);  // empty when missing
void WriteBytes(const std::wstring& path, const std::string& bytes);
