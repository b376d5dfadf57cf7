#include "shares/ShareChecks.h"

#include "basis/BasisPair.h"
#include "imaging/Report.h"

#include <string>

namespace lumisplit {

namespace {

std::string Size(std::uint64_t width, std::uint64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string MiB(std::uint64_t bytes) {
    return std::to_string((bytes + (1 << 20) - 1) >> 20);
}

} // namespace

bool CheckBasisForSplit(const CMatrix& S0, const CMatrix& S1) {
    if (S0.GetRows() != S1.GetRows() || S0.GetCols() != S1.GetCols()) {
        Report("Cannot split: the white and black basis matrices differ in shape (" +
               std::to_string(S0.GetRows()) + " x " + std::to_string(S0.GetCols()) + " and " +
               std::to_string(S1.GetRows()) + " x " + std::to_string(S1.GetCols()) + ").");
        return false;
    }
    const int n = S0.GetRows();
    if (n < kMinParticipants || n > kMaxParticipants) {
        Report("Cannot split: a share set has " + std::to_string(kMinParticipants) + " to " +
               std::to_string(kMaxParticipants) +
               " participants, one per row of the basis matrices, not " + std::to_string(n) + ".");
        return false;
    }
    if (S0.GetCols() == 0) {
        Report("Cannot split: the basis matrices have no column, so there is no subpixel to "
               "draw.");
        return false;
    }
    return true;
}

bool CheckSecret(const CBmpImage& secret) {
    if (!secret.HasPixels() || secret.Width() == 0 || secret.Height() == 0) {
        Report("Cannot split: the secret image " + secret.m_strFileName + " has no pixels.");
        return false;
    }
    return true;
}

bool CheckCovers(const std::vector<CBmpImage>& covers, int n, const CBmpImage& secret) {
    if (covers.size() != static_cast<std::size_t>(n)) {
        Report("Cannot split: this method needs one cover image per participant (" +
               std::to_string(n) + "), but " + std::to_string(covers.size()) + " were given.");
        return false;
    }
    for (std::size_t p = 0; p < covers.size(); ++p) {
        const CBmpImage& cover = covers[p];
        const std::string which = "Cannot split: the cover image of participant " +
                                  std::to_string(p + 1) + " (" + cover.m_strFileName + ")";
        if (!cover.HasPixels() || cover.Width() == 0 || cover.Height() == 0) {
            Report(which + " has no pixels.");
            return false;
        }
        if (cover.Width() < secret.Width() || cover.Height() < secret.Height()) {
            Report(which + " is " + Size(cover.Width(), cover.Height()) +
                   " pixels, smaller than the secret (" + Size(secret.Width(), secret.Height()) +
                   ").");
            return false;
        }
    }
    return true;
}

std::optional<ShareSet> MakeBlankShares(int n, std::uint64_t width, std::uint64_t height) {
    const std::string what =
        "Cannot split: the shares would be " + Size(width, height) + " pixels each";
    if (width > kMaxShareDimension || height > kMaxShareDimension) {
        Report(what + ", beyond the largest BMP side of " + std::to_string(kMaxShareDimension) +
               " pixels.");
        return std::nullopt;
    }
    // Both sides are below 2^31 here, so none of these products can overflow.
    const std::uint64_t stride = (width + 31) / 32 * 4;
    const std::uint64_t shareBytes = stride * height;
    const std::uint64_t totalBytes = shareBytes * static_cast<std::uint64_t>(n);
    if (shareBytes > CBmpImage::kMaxPixelBytes || totalBytes > kShareSetBudgetBytes) {
        Report(what + " (" + MiB(totalBytes) + " MiB for " + std::to_string(n) +
               " shares), over the limit of " + MiB(CBmpImage::kMaxPixelBytes) +
               " MiB per share and " + MiB(kShareSetBudgetBytes) + " MiB per share set.");
        return std::nullopt;
    }
    ShareSet shares;
    shares.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        shares.emplace_back(ShareName(i), static_cast<int>(height), static_cast<int>(width));
        if (!shares.back().HasPixels())
            return std::nullopt; // the image has reported why
    }
    return shares;
}

} // namespace lumisplit
