#pragma once
// The seven share-construction methods. Each turns the secret into n new 1-bit
// share images named "capa1.bmp" ... in participant order, or refuses through
// Report() and answers empty, having allocated nothing large.
//
// Refused before anything is allocated: a basis pair without columns or of two
// different shapes, fewer than 2 or more than 9 participants, a secret without
// pixels, a secret smaller than one block (pixel sampling), cover images
// missing, without pixels or smaller than the secret (methods 5 and 6), and
// shares over the size budget below. The expansion methods grow with the pixel
// expansion squared, so the budget is what keeps a large scheme from
// exhausting memory.

#include "basis/Matrix.h"
#include "imaging/BmpImage.h"
#include "shares/Progress.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumisplit {

class RandomSource;

enum Method : int {
    kRandomBasisColumn = 0,           // "Random basis column"
    kPixelSampling = 1,               // "Pixel sampling"
    kSquareSubpixelExpansion = 2,     // "Square subpixel expansion"
    kSmallestSquareWithFiller = 3,    // "Smallest square expansion w/ filler"
    kSmallestSquareWithoutFiller = 4, // "Smallest square expansion w/o filler"
    kExtendedPreserveSize = 5,        // "Extended VCS: preserve size..."
    kExtendedPreserveDetail = 6,      // "Extended VCS: preserve detail..."
};

using ShareSet = std::vector<CBmpImage>;

// Size budget of one share set: every share at most kMaxShareDimension pixels
// wide and high and at most CBmpImage::kMaxPixelBytes of pixel data (which also
// keeps it within a BMP file's 32-bit size fields), and all n shares together
// at most kShareSetBudgetBytes of pixel data.
inline constexpr std::uint64_t kMaxShareDimension = 0x7FFFFFFF;
inline constexpr std::uint64_t kShareSetBudgetBytes = std::uint64_t{2} << 30;

// "capa1.bmp" for participant index 0, ... "capa9.bmp" for 8.
std::string ShareName(int index);

// The smallest i >= 1 for which m * i is a perfect square (0 for m = 0).
int SmallestSquareMultiplier(int m);

// Runs method `method` on the secret. The methods may reorder the columns of
// S0 and S1 in place. covers holds the n innocent images of methods 5 and 6
// (participant order) and is ignored by the others.
std::optional<ShareSet> MakeShares(int method, const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                   RandomSource& random, const std::vector<CBmpImage>& covers,
                                   const Progress& progress = {});

std::optional<ShareSet> RandomBasisColumn(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                          RandomSource& random, const Progress& progress = {});
std::optional<ShareSet> PixelSampling(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                      RandomSource& random, const Progress& progress = {});
std::optional<ShareSet> SquareSubpixelExpansion(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                                RandomSource& random,
                                                const Progress& progress = {});
std::optional<ShareSet> SmallestSquareWithFiller(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                                 RandomSource& random,
                                                 const Progress& progress = {});
std::optional<ShareSet> SmallestSquareWithoutFiller(const CBmpImage& secret, CMatrix& S0,
                                                    CMatrix& S1, RandomSource& random,
                                                    const Progress& progress = {});
std::optional<ShareSet> ExtendedPreserveSize(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                             const std::vector<CBmpImage>& covers,
                                             RandomSource& random, const Progress& progress = {});
std::optional<ShareSet> ExtendedPreserveDetail(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                               const std::vector<CBmpImage>& covers,
                                               RandomSource& random, const Progress& progress = {});

// Writes every share to directory/its name, all or nothing: each goes to a
// temporary file first and they are renamed into place only when all are
// written. An empty directory means the current folder.
bool WriteShareSet(ShareSet& shares, const std::string& directory = {});

} // namespace lumisplit
