#pragma once

// The package reader: finds the archive format by trial, lists the items,
// and extracts every item below a destination folder.

#include <cstdint>
#include <string>
#include <vector>

namespace SevenZip {

enum ArchiveFormat : int {
    FormatUnknown = 0,
    Format7z = 1,
    FormatZip = 2,
    FormatCab = 8,
    FormatLzma = 9,
    FormatLzma86 = 10,
};

enum OverwriteMode : int {
    Replace = 1,
};

// The formats detection tries, in order: the current one first, then the
// others in the order 7z, Lzma86, Lzma, Cab, Zip.
std::vector<ArchiveFormat> DetectionOrder(ArchiveFormat current);

class SevenZipArchive {
  public:
    SevenZipArchive() = default;
    virtual ~SevenZipArchive() = default;
    SevenZipArchive(const SevenZipArchive&) = delete;
    SevenZipArchive& operator=(const SevenZipArchive&) = delete;

    virtual bool SetArchivePath(const std::wstring& path);
    // Finds the format unless one was set, then reads the item list.
    virtual bool ReadMetadata();
    virtual void SetFormat(ArchiveFormat format);
    virtual ArchiveFormat GetFormat();
    virtual void SetLevel(int level);
    virtual int GetLevel();
    // Tries the current format first, then the others; the one that opens
    // the package stays the current format. FormatUnknown when none does.
    virtual bool DetectFormat();
    virtual std::uint32_t GetItemCount();
    // Each item's path inside the archive ("\\" read as "/"), in archive
    // order; empty for an item without a path.
    virtual std::vector<std::wstring> GetItemNames();
    // Low 32 bits of each item's size.
    virtual std::vector<std::uint32_t> GetItemSizes();

  protected:
    bool ReadItemList();

    bool metadataRead = false;
    bool formatSet = false;
    std::wstring archivePath;
    ArchiveFormat format = Format7z;
    int level = 0;  // kept for callers; extraction does not use it
    std::uint32_t itemCount = 0;
    std::vector<std::wstring> itemNames;
    std::vector<std::uint32_t> itemSizes;

  private:
    void ReadMetadataOnce();
};

class SevenZipExtractor : public SevenZipArchive {
  public:
    SevenZipExtractor() = default;

    // Writes every item below the destination folder, replacing what is in
    // the way. 0 on success; otherwise the engine's result, a system error
    // as a result, or the plain numbers 110 (package cannot be opened) and
    // 1631 (a folder cannot be created). Items that would land outside the
    // destination, link items, and any item the engine reports damaged
    // (data or checksum error, unsupported method, unexpected end) fail the
    // extraction.
    virtual int ExtractAll(const std::wstring& destination);

  protected:
    int overwriteMode = Replace;
};

}  // namespace SevenZip
