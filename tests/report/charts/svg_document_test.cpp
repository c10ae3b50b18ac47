// SVG text building: whatever the text, the document is well-formed XML and
// reads back to the text that went in.
#include "report/charts/svg_document.h"

#include <gtest/gtest.h>

#include "support/xml_check.h"

namespace {

using testing_support::parse_xml;
using voxel::SvgDocument;

TEST(SvgDocument, MarkupCharactersInTextAndAttributesReadBackUnchanged) {
    const std::string nasty = "a < b && c > \"d\" 'e' </text> &amp; 横倾角 φ (°)";
    SvgDocument svg(297, 210, "sans-serif");
    svg.open("g", {{"class", nasty}});
    svg.text_element("text", {{"x", "1"}, {"data-note", nasty}}, nasty);
    // Left open on purpose: finish() closes it.
    const auto doc = parse_xml(svg.finish());
    ASSERT_TRUE(doc.well_formed) << doc.error;
    ASSERT_EQ(doc.elements.size(), 3u);
    EXPECT_EQ(doc.elements[1].attribute("class"), nasty);
    EXPECT_EQ(doc.elements[2].attribute("data-note"), nasty);
    EXPECT_EQ(doc.elements[2].text, nasty);
}

TEST(SvgDocument, RootDeclaresPageSizeInMillimetresAndAMatchingViewBox) {
    SvgDocument svg(297, 210.5, "sans-serif");
    const auto doc = parse_xml(svg.finish());
    ASSERT_TRUE(doc.well_formed) << doc.error;
    const auto& root = doc.elements.front();
    EXPECT_EQ(root.name, "svg");
    EXPECT_EQ(root.attribute("xmlns"), "http://www.w3.org/2000/svg");
    EXPECT_EQ(root.attribute("width"), "297mm");
    EXPECT_EQ(root.attribute("height"), "210.5mm");
    EXPECT_EQ(root.attribute("viewBox"), "0 0 297 210.5");
}

TEST(SvgDocument, CoordinatesAreLocaleFreeAndNeverNegativeZero) {
    EXPECT_EQ(voxel::svg_number(12.5), "12.5");
    EXPECT_EQ(voxel::svg_number(-0.0001), "0");
    EXPECT_EQ(voxel::svg_number(3.14159), "3.142");
    EXPECT_EQ(voxel::svg_number(100.0), "100");
}

// The checker itself must refuse what a viewer refuses.
TEST(XmlCheck, RefusesUnescapedMarkupAndUnmatchedTags) {
    EXPECT_TRUE(parse_xml("<a b=\"1\"><c/>x &amp; y</a>").well_formed);
    EXPECT_FALSE(parse_xml("<a>x & y</a>").well_formed);
    EXPECT_FALSE(parse_xml("<a b=\"<\"/>").well_formed);
    EXPECT_FALSE(parse_xml("<a b=1/>").well_formed);
    EXPECT_FALSE(parse_xml("<a><b></a></b>").well_formed);
    EXPECT_FALSE(parse_xml("<a></a><a></a>").well_formed);
    EXPECT_FALSE(parse_xml("<a b=\"1\" b=\"2\"/>").well_formed);
    EXPECT_FALSE(parse_xml("<a>").well_formed);
}

}  // namespace
