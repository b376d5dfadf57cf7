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

// The 1-bit result image, the size of the first layer, named `name`; larger
// layers are cut to that size. Refuses (Report() and empty) when there is no
// layer, or a layer has no pixels ("ERROR: Layer 2 (name) cannot be read.") or
// is narrower or lower than the first. `progress` is told rows done of rows.
// Layers of any depth mix; 1-bit layers are combined a byte at a time.
std::optional<CBmpImage> StackLayers(const std::vector<const CBmpImage*>& layers,
                                     const std::string& name, const Progress& progress = {});

} // namespace lumisplit
