// The about box's picture. The shapes follow packaging/icons/tallyworth.svg, whose 256-unit
// square they are drawn in (scaled to the picture's height).
#include "resources/WAboutPicture.h"

#include <algorithm>
#include <memory>

#include <wx/dcclient.h>
#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>

namespace {

const wxColour kTealLight(0x2f, 0x7f, 0x86);
const wxColour kTealDark(0x1d, 0x5a, 0x61);
const wxColour kInk(0x16, 0x3f, 0x44);
const wxColour kRule(0x9f, 0xb3, 0xb8);
const wxColour kAmber(0xe3, 0x9b, 0x1b);
const wxColour kFold(0xcf, 0xd9, 0xdc);

// A stroke of width inWidth (icon units) from (x1, y1) to (x2, y2).
void Stroke(wxGraphicsContext & ioContext, const wxColour & inColour, double inWidth, double x1, double y1,
            double x2, double y2) {
  ioContext.SetPen(ioContext.CreatePen(wxGraphicsPenInfo(inColour, inWidth).Cap(wxCAP_ROUND)));
  ioContext.StrokeLine(x1, y1, x2, y2);
}

// The icon's sheet, tally and clock in a 256-unit square at the context's origin.
void DrawIcon(wxGraphicsContext & ioContext) {
  wxGraphicsPath sheet = ioContext.CreatePath();
  sheet.MoveToPoint(60, 36);
  sheet.AddLineToPoint(166, 36);
  sheet.AddLineToPoint(204, 74);
  sheet.AddLineToPoint(204, 222);
  sheet.AddLineToPoint(60, 222);
  sheet.CloseSubpath();
  ioContext.SetBrush(ioContext.CreateLinearGradientBrush(0, 36, 0, 222, *wxWHITE, wxColour(0xe9, 0xee, 0xf0)));
  ioContext.SetPen(ioContext.CreatePen(wxGraphicsPenInfo(kInk, 6).Join(wxJOIN_ROUND)));
  ioContext.DrawPath(sheet);

  wxGraphicsPath fold = ioContext.CreatePath();
  fold.MoveToPoint(166, 36);
  fold.AddLineToPoint(166, 74);
  fold.AddLineToPoint(204, 74);
  fold.CloseSubpath();
  ioContext.SetBrush(wxBrush(kFold));
  ioContext.DrawPath(fold);

  Stroke(ioContext, kRule, 6, 80, 92, 150, 92);
  Stroke(ioContext, kRule, 6, 80, 116, 184, 116);
  Stroke(ioContext, kRule, 6, 80, 140, 184, 140);
  for (double x : {90.0, 110.0, 130.0, 150.0})
    Stroke(ioContext, kAmber, 11, x, 168, x, 206);
  Stroke(ioContext, kAmber, 11, 78, 200, 164, 172);

  ioContext.SetBrush(*wxWHITE_BRUSH);
  ioContext.SetPen(ioContext.CreatePen(wxGraphicsPenInfo(kInk, 7)));
  ioContext.DrawEllipse(156, 152, 80, 80);
  Stroke(ioContext, kInk, 7, 196, 192, 196, 166);
  Stroke(ioContext, kInk, 7, 196, 192, 214, 200);
  ioContext.SetPen(*wxTRANSPARENT_PEN);
  ioContext.SetBrush(wxBrush(kAmber));
  ioContext.DrawEllipse(191, 187, 10, 10);
}

std::unique_ptr<wxGraphicsContext> ContextFor(wxDC & inDC) {
  if (auto * window = dynamic_cast<wxWindowDC *>(&inDC))
    return std::unique_ptr<wxGraphicsContext>(wxGraphicsContext::Create(*window));
  if (auto * memory = dynamic_cast<wxMemoryDC *>(&inDC))
    return std::unique_ptr<wxGraphicsContext>(wxGraphicsContext::Create(*memory));
  return nullptr;
}

} // namespace

void WAboutPicture::Draw(wxDC & inDC, const wxRect & inRect) {
  std::unique_ptr<wxGraphicsContext> context = ContextFor(inDC);
  if (!context || inRect.IsEmpty())
    return;
  wxGraphicsContext & gc = *context;
  gc.SetAntialiasMode(wxANTIALIAS_DEFAULT);
  gc.Clip(inRect.x, inRect.y, inRect.width, inRect.height);

  // The background: the icon's teal, darker towards the bottom.
  gc.SetPen(*wxTRANSPARENT_PEN);
  gc.SetBrush(gc.CreateLinearGradientBrush(0, inRect.y, 0, inRect.GetBottom(), kTealLight, kTealDark));
  gc.DrawRectangle(inRect.x, inRect.y, inRect.width, inRect.height);

  // The icon at the left, as tall as most of the picture.
  const double side = inRect.height * 0.72;
  gc.PushState();
  gc.Translate(inRect.x + inRect.height * 0.06, inRect.y + (inRect.height - side) / 2);
  gc.Scale(side / 256.0, side / 256.0);
  DrawIcon(gc);
  gc.PopState();

  // The name and a line under it, right of the icon.
  const double left = inRect.x + inRect.height * 0.06 + side + inRect.height * 0.04;
  const double room = inRect.GetRight() - left - inRect.height * 0.06;
  wxFont name(wxFontInfo(std::max(8.0, inRect.height * 0.16)).Family(wxFONTFAMILY_SWISS).Bold());
  name.SetPixelSize(wxSize(0, std::max(8, static_cast<int>(inRect.height * 0.2))));
  gc.SetFont(name, *wxWHITE);
  double width = 0, height = 0;
  gc.GetTextExtent("Tallyworth", &width, &height);
  if (width > room && width > 0) {
    name.SetPixelSize(wxSize(0, std::max(6, static_cast<int>(name.GetPixelSize().y * room / width))));
    gc.SetFont(name, *wxWHITE);
    gc.GetTextExtent("Tallyworth", &width, &height);
  }
  const double top = inRect.y + inRect.height * 0.34;
  gc.DrawText("Tallyworth", left, top);
  Stroke(gc, kAmber, std::max(2.0, inRect.height * 0.02), left, top + height + inRect.height * 0.04,
         left + width, top + height + inRect.height * 0.04);

  const wxString tag = "Time sheets: open, total, filter, merge";
  wxFont tagline(wxFontInfo().Family(wxFONTFAMILY_SWISS));
  tagline.SetPixelSize(wxSize(0, std::max(6, static_cast<int>(inRect.height * 0.07))));
  gc.SetFont(tagline, wxColour(0xe6, 0xf0, 0xf1));
  double tagWidth = 0, tagHeight = 0;
  gc.GetTextExtent(tag, &tagWidth, &tagHeight);
  if (tagWidth > room && tagWidth > 0) {
    tagline.SetPixelSize(wxSize(0, std::max(5, static_cast<int>(tagline.GetPixelSize().y * room / tagWidth))));
    gc.SetFont(tagline, wxColour(0xe6, 0xf0, 0xf1));
  }
  gc.DrawText(tag, left, top + height + inRect.height * 0.09);
}
