// A linear axis scale: data values to page coordinates (mm) and back.
#pragma once

namespace voxel {

// Maps the data interval [data0, data1] onto the page interval [page0,
// page1]. The page interval may run backwards: an upward y axis has page0 at
// the bottom of the plot (the larger page y, SVG's y grows downwards).
//   page(v) = page0 + (v - data0) (page1 - page0) / (data1 - data0)
//   data(p) = data0 + (p - page0) (data1 - data0) / (page1 - page0)
// data0 != data1 and page0 != page1 are required.
struct LinearScale {
    double data0 = 0.0;
    double data1 = 1.0;
    double page0 = 0.0;  // mm
    double page1 = 1.0;  // mm

    double to_page(double v) const {
        return page0 + (v - data0) * (page1 - page0) / (data1 - data0);
    }
    double to_data(double p) const {
        return data0 + (p - page0) * (data1 - data0) / (page1 - page0);
    }
};

}  // namespace voxel
