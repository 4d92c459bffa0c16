#pragma once

#include <QString>

#include <array>
#include <optional>

enum TVersionType {
    vtCompanyName,
    vtFileDescription,
    vtFileVersion,
    vtInternalName,
    vtLegalCopyright,
    vtLegalTradeMark,
    vtOriginalFileName,
    vtProductName,
    vtProductVersion,
    vtComments,
};

constexpr int VersionTypeCount = vtComments + 1;
using TVersionInfo = std::array<QString, VersionTypeCount>;

// The program's version block, compiled in from the build's project version:
// the entry at "StringFileInfo\041904E3\<name>", or nothing when the block
// has no such entry.
std::optional<QString> versionEntry(const QString &name);

// The entry name of a member: its name without the leading "vt".
QString versionEntryName(TVersionType type);

// Fills the members whose entry exists; the others keep their text.
void ReadVersionInfo(TVersionInfo &info);
