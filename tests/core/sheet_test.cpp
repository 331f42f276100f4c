#include "chart/sheet.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "chart/memory_window.h"
#include "resources/embedded_belts.h"
#include "tests/support/bmp_file.h"

namespace chart {
namespace {

// The colour a text is drawn in on the sheet; none if the sheet does not hold that text.
std::optional<Colour> colourOf(const std::vector<sheet::Item>& items, std::string_view words) {
  for (const sheet::Item& item : items) {
    const auto* text = std::get_if<sheet::Text>(&item);
    if (text && text->text == words) return text->colour;
  }
  return std::nullopt;
}

// The sheet shows the window's own read-outs, red where the window shows red, with the reasons
// spelled out; a proposal's sheet adds its duty and its drive.
TEST(Sheet, ShowsTheWindowsReadingAndTheDrive) {
  struct Case {
    const char* why;
    ScrollValue hscroll, vscroll;
    bool proposal;
  };
  const Case cases[] = {{"a black reading", 301, 201, false},
                        {"above the 7 bar speed limit", 301, 50, false},
                        {"the first drive for 4.5 m3/min at 8 bar", 0, 0, true}};
  DriveSelector selector(testsupport::chartRaster(), embedded::beltTables());
  const Duty duty{.delivery = 4.5, .pressure = 8};
  const Selection selection = selector.select(duty);
  const DriveProposal& drive = selection.motors.front().drives.front();
  for (const Case& c : cases) {
    MemoryWindow window(testsupport::chartRaster());
    window.scrollTo(c.hscroll, c.vscroll);
    const Reading r = c.proposal ? drive.reading : window.reading();
    const auto items = drawSheet({.reading = r,
                                  .duty = c.proposal ? &duty : nullptr,
                                  .drive = c.proposal ? &drive : nullptr,
                                  .reference = "Pumps & Co <quote 7>",
                                  .date = "2026-12-09"});
    const Colour speedPower = r.speedPowerRed() ? colours::kRed : colours::kBlack;
    const Colour pressure = r.pressureRed() ? colours::kRed : colours::kBlack;
    EXPECT_EQ(colourOf(items, r.speed), speedPower) << c.why;
    EXPECT_EQ(colourOf(items, r.power), speedPower) << c.why;
    EXPECT_EQ(colourOf(items, r.pressure), pressure) << c.why;
    EXPECT_EQ(colourOf(items, r.delivery), pressure) << c.why;
    for (const std::string_view reason : wordsOf(r.reasons(), WarningTexts))
      EXPECT_EQ(colourOf(items, std::string(reason)), colours::kRed) << c.why;
    EXPECT_TRUE(colourOf(items, "Reference: Pumps & Co <quote 7>")) << c.why;
    EXPECT_TRUE(colourOf(items, "Date: 2026-12-09")) << c.why;
    for (const DesignFigure& figure : DesignFigures) {
      EXPECT_EQ(colourOf(items, figure.heading).has_value(), c.proposal) << c.why;
      if (c.proposal) {
        EXPECT_TRUE(colourOf(items, figureText(figure, drive.design))) << c.why;
      }
    }
    const std::string svg = sheetSvg(items, testsupport::chartRaster());
    EXPECT_NE(svg.find("Reference: Pumps &amp; Co &lt;quote 7&gt;"), std::string::npos) << c.why;
    EXPECT_EQ(std::ranges::count(svg, '\n'), static_cast<std::ptrdiff_t>(items.size() + 4))
        << c.why;
    EXPECT_NE(svg.find("href=\"data:image/png;base64,iVBORw0KGgo"), std::string::npos) << c.why;
  }
}

}  // namespace
}  // namespace chart
