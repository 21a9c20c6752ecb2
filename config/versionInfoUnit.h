#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// The program's file version: four unsigned 16-bit parts compiled into the executable
// from the build's project version.
class TVersionInfo {
public:
    using Block = std::array<quint16, 4>;

    // The version compiled into this program.
    TVersionInfo();
    // An explicit version block, or none (std::nullopt) for a program built without one.
    explicit TVersionInfo(std::optional<Block> block);

    // Parts 1 (major) to 4 (build); -1 for any other part number or without a block.
    int VersionPart(int part) const;

private:
    std::optional<Block> block_;
};

// The four parts as "%d.%d.%d.%d"; "-1.-1.-1.-1" without a version block.
QString GetVersionText();
QString GetVersionText(const TVersionInfo &info);
