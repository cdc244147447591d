#include "platform/desktop/DesktopIcons.h"

#include <algorithm>
#include <memory>

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace platform::desktop {
namespace {

struct RoundSign {
    wxColour fill;
    const char* glyph;
};

void drawRoundSign(wxGraphicsContext& gc, int size, const RoundSign& sign) {
    const double margin = size * 0.06;
    gc.SetPen(wxPen(sign.fill.ChangeLightness(70), 1));
    gc.SetBrush(wxBrush(sign.fill));
    gc.DrawEllipse(margin, margin, size - 2 * margin, size - 2 * margin);
    wxFont font(wxFontInfo(static_cast<double>(size) * 0.45).Bold());
    gc.SetFont(font, *wxWHITE);
    double width = 0;
    double height = 0;
    const wxString glyph = wxString::FromUTF8(sign.glyph);
    gc.GetTextExtent(glyph, &width, &height);
    gc.DrawText(glyph, (size - width) / 2, (size - height) / 2);
}

void drawWarning(wxGraphicsContext& gc, int size) {
    const double margin = size * 0.06;
    wxGraphicsPath path = gc.CreatePath();
    path.MoveToPoint(size / 2.0, margin);
    path.AddLineToPoint(size - margin, size - margin);
    path.AddLineToPoint(margin, size - margin);
    path.CloseSubpath();
    gc.SetPen(wxPen(wxColour(150, 110, 0), 1));
    gc.SetBrush(wxBrush(wxColour(240, 190, 40)));
    gc.FillPath(path);
    gc.StrokePath(path);
    wxFont font(wxFontInfo(static_cast<double>(size) * 0.42).Bold());
    gc.SetFont(font, *wxBLACK);
    double width = 0;
    double height = 0;
    gc.GetTextExtent("!", &width, &height);
    gc.DrawText("!", (size - width) / 2, size * 0.9 - height);
}

// A page with a folded corner, and an arrow turning it into another.
void drawProgram(wxGraphicsContext& gc, int size) {
    const double s = size;
    wxGraphicsPath page = gc.CreatePath();
    page.MoveToPoint(s * 0.18, s * 0.06);
    page.AddLineToPoint(s * 0.62, s * 0.06);
    page.AddLineToPoint(s * 0.82, s * 0.26);
    page.AddLineToPoint(s * 0.82, s * 0.94);
    page.AddLineToPoint(s * 0.18, s * 0.94);
    page.CloseSubpath();
    gc.SetPen(wxPen(wxColour(60, 70, 90), 1));
    gc.SetBrush(wxBrush(wxColour(250, 250, 245)));
    gc.FillPath(page);
    gc.StrokePath(page);
    gc.SetPen(wxPen(wxColour(150, 160, 175), 1));
    for (int line = 0; line < 4; ++line) {
        const double y = s * (0.36 + 0.1 * line);
        gc.StrokeLine(s * 0.28, y, s * 0.72, y);
    }
    wxGraphicsPath arrow = gc.CreatePath();
    arrow.AddArc(s * 0.5, s * 0.62, s * 0.22, 3.4, 6.0, true);
    gc.SetPen(wxPen(wxColour(30, 120, 70), std::max(2, size / 12)));
    gc.StrokePath(arrow);
}

}  // namespace

wxBitmap drawIcon(IconName icon, int size) {
    size = std::max(size, 8);
    wxImage canvas(size, size);
    canvas.InitAlpha();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) canvas.SetAlpha(x, y, 0);
    }
    const std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(canvas));
    if (gc == nullptr) return wxBitmap(canvas);
    gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
    switch (icon) {
    case IconName::stop: drawRoundSign(*gc, size, {wxColour(200, 40, 40), "\xC3\x97"}); break;
    case IconName::information: drawRoundSign(*gc, size, {wxColour(40, 100, 190), "i"}); break;
    case IconName::question: drawRoundSign(*gc, size, {wxColour(70, 120, 160), "?"}); break;
    case IconName::warning: drawWarning(*gc, size); break;
    case IconName::program: drawProgram(*gc, size); break;
    case IconName::none: break;
    }
    gc->Flush();
    return wxBitmap(canvas);
}

}  // namespace platform::desktop
