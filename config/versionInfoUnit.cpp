#include "versionInfoUnit.h"

namespace {

std::optional<TVersionInfo::Block> compiledBlock()
{
#if TARVEN_HAS_VERSION_BLOCK
    static_assert(TARVEN_VERSION_MAJOR <= 0xFFFF && TARVEN_VERSION_MINOR <= 0xFFFF
                      && TARVEN_VERSION_PATCH <= 0xFFFF && TARVEN_VERSION_TWEAK <= 0xFFFF,
                  "every version part must fit in 16 bits");
    return TVersionInfo::Block{TARVEN_VERSION_MAJOR, TARVEN_VERSION_MINOR,
                               TARVEN_VERSION_PATCH, TARVEN_VERSION_TWEAK};
#else
    return std::nullopt;
#endif
}

} // namespace

TVersionInfo::TVersionInfo() : block_(compiledBlock()) {}

TVersionInfo::TVersionInfo(std::optional<Block> block) : block_(block) {}

int TVersionInfo::VersionPart(int part) const
{
    if (!block_ || part < 1 || part > 4)
        return -1;
    return (*block_)[part - 1];
}

QString GetVersionText()
{
    return GetVersionText(TVersionInfo());
}

QString GetVersionText(const TVersionInfo &info)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(info.VersionPart(1))
        .arg(info.VersionPart(2))
        .arg(info.VersionPart(3))
        .arg(info.VersionPart(4));
}
