#pragma once
// Stacking printed shares: a pixel is black wherever any layer is black.

#include "imaging/BmpImage.h"
#include "shares/Progress.h"

#include <optional>
#include <string>
#include <vector>

namespace lumisplit {

// 1 (black) when any of the layers is black at (row, column), else 0.
int StackedPixel(const std::vector<const CBmpImage*>& layers, int row, int column);

// The 1-bit result image, the size of the first layer, named `name`. Refuses
// (Report() and empty) when a layer has no pixels or is smaller than the first.
std::optional<CBmpImage> StackLayers(const std::vector<const CBmpImage*>& layers,
                                     const std::string& name, const Progress& progress = {});

} // namespace lumisplit
