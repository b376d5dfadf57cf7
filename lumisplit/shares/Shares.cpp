#include "shares/Shares.h"

#include "imaging/Report.h"

namespace lumisplit {

std::string ShareName(int index) {
    return "capa" + std::string(1, static_cast<char>('1' + index)) + ".bmp";
}

std::optional<ShareSet> MakeShares(int method, const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                   RandomSource& random, const std::vector<CBmpImage>& covers,
                                   const Progress& progress) {
    switch (method) {
    case kRandomBasisColumn:
        return RandomBasisColumn(secret, S0, S1, random, progress);
    case kPixelSampling:
        return PixelSampling(secret, S0, S1, random, progress);
    case kSquareSubpixelExpansion:
        return SquareSubpixelExpansion(secret, S0, S1, random, progress);
    case kSmallestSquareWithFiller:
        return SmallestSquareWithFiller(secret, S0, S1, random, progress);
    case kSmallestSquareWithoutFiller:
        return SmallestSquareWithoutFiller(secret, S0, S1, random, progress);
    case kExtendedPreserveSize:
        return ExtendedPreserveSize(secret, S0, S1, covers, random, progress);
    case kExtendedPreserveDetail:
        return ExtendedPreserveDetail(secret, S0, S1, covers, random, progress);
    default:
        Report("Cannot split: there is no method " + std::to_string(method) +
               " (the methods are 0 to 6).");
        return std::nullopt;
    }
}

} // namespace lumisplit
