#pragma once
// One INI file on disk, read into a document and rewritten from one with its layout kept.
#include <string>

#include "storage/ini_document.h"
#include "storage/ini_parse.h"

class IniFile {
  public:
    explicit IniFile(std::wstring path);

    // Clears the document and fills it from the file. False when the path is empty, the
    // file cannot be opened, or an input/output error came before any complete line.
    bool read(IniDocument& document) const;
    // The same, keeping only the keys the filter keeps (every section stays).
    bool read(IniDocument& document, const IniKeyFilter& keep) const;

    // Like read, for a document that is about to be changed and written back: a missing file
    // gives an empty document and true, but a file that could not be read in full, or that
    // holds a line that is not UTF-8 text, gives false: writing back what was read would
    // delete the rest, or blank that line.
    bool readForRewrite(IniDocument& document) const;

    // Rewrites the file so that it holds the document. False, with nothing written, when the
    // path is empty, the existing file cannot be read in full or holds a line that is not
    // UTF-8 text, or the new content cannot be written.
    bool write(const IniDocument& document) const;

  private:
    std::wstring path_;
};
