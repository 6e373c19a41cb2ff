#include "editor/HTMLSplash.h"

#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "widgets/JLLabel.h"

#include <array>

TSplash* Splash = nullptr;
String ProgramVersionText;
String StartupCommandLine;

namespace {

constexpr int PictureWidth = 300;
constexpr int PictureHeight = 201;
constexpr int Patch = 20;

} // namespace

// A strip of quilt patches, each cut corner to corner into two cloths, above a plain band that
// carries the name and the labels.
void PaintProductPicture(TCanvas& canvas, int width, int height, int quiltRows) {
    static constexpr std::array<TColor, 6> Cloths = {
        RGB(0, 0, 128),    RGB(128, 0, 0),   RGB(0, 128, 128),
        RGB(218, 165, 32), RGB(85, 107, 47), RGB(178, 34, 34),
    };
    canvas.Pen().SetStyle(psClear);
    for (int row = 0; row < quiltRows; ++row)
        for (int column = 0; column * Patch < width; ++column) {
            int x = column * Patch;
            int y = row * Patch;
            size_t cloth = static_cast<size_t>(row * 5 + column * 2);
            canvas.Brush().SetColor(Cloths[cloth % Cloths.size()]);
            canvas.Polygon({Point(x, y), Point(x + Patch, y), Point(x, y + Patch)});
            canvas.Brush().SetColor(Cloths[(cloth + 3) % Cloths.size()]);
            canvas.Polygon({Point(x + Patch, y), Point(x + Patch, y + Patch), Point(x, y + Patch)});
        }
    canvas.Brush().SetColor(RGB(250, 244, 228));
    canvas.FillRect(Rect(0, quiltRows * Patch, width, height));
    canvas.Pen().SetStyle(psDot);
    canvas.Pen().SetColor(RGB(128, 0, 0));
    canvas.MoveTo(0, quiltRows * Patch + 4);
    canvas.LineTo(width, quiltRows * Patch + 4);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-30);
    canvas.Font().SetStyle({fsBold, fsItalic});
    canvas.Font().SetColor(RGB(0, 0, 128));
    canvas.TextOut(12, quiltRows * Patch + 10, "Quiltmarker");
    canvas.Font().SetHeight(-12);
    canvas.Font().SetStyle({});
    canvas.Font().SetColor(RGB(85, 85, 85));
    canvas.TextOut(width - 84, quiltRows * Patch + 46, "HTML editor");
}

TSplash::TSplash(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("Splash");
        SetBorderStyle(bsNone);
        SetBorderIcons({});
        SetFormStyle(fsStayOnTop);
        SetPosition(poScreenCenter);
        SetClientWidth(301);
        SetClientHeight(198);
        SetCaption("Quiltmarker");
        BuildControls();
        OnCreate = Handler(this, &TSplash::FormCreate);
    });
}

void TSplash::BuildControls() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1");
    Panel1->SetAlign(alClient);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetCaption("");
    Panel1->SetColor(clSilver);

    Image1 = NewControl<TImage>(this, Panel1, "Image1");
    Image1->SetBounds(0, 0, PictureWidth, PictureHeight);
    PaintProductPicture(Image1->Canvas(), PictureWidth, PictureHeight, 4);

    Bevel2 = NewControl<TBevel>(this, Panel1, "Bevel2");
    Bevel2->SetBounds(0, 0, 301, 198);
    Bevel2->SetShape(bsFrame);
    Bevel2->SetStyle(bsRaised);

    VersionLabel = NewControl<TLabel>(this, Panel1, "VersionLabel");
    VersionLabel->SetAutoSize(false);
    VersionLabel->SetBounds(12, 124, 140, 16);
    VersionLabel->SetAlignment(taCenter);
    VersionLabel->SetTransparent(true);
    VersionLabel->Font().SetName("Arial");
    VersionLabel->Font().SetColor(clBlack);
    VersionLabel->Font().SetStyle({fsBold});

    StateLabel = NewControl<TRotateLabel>(this, Panel1, "StateLabel");
    StateLabel->SetAutoSize(false);
    StateLabel->SetBounds(8, 150, 285, 40);
    StateLabel->SetAlignment(taCenter);
    StateLabel->SetTextStyle(tsRaised);
    StateLabel->SetEscapement(0);
    StateLabel->Font().SetName("Arial");
    StateLabel->Font().SetHeight(-13);
    StateLabel->Font().SetColor(clNavy);
    StateLabel->Font().SetStyle({fsBold});
    StateLabel->SetTransparent(true);
    StateLabel->SetWordWrap(true);
    StateLabel->SetCaption("Loading - please wait...");
}

void TSplash::FormCreate(TObject* /*Sender*/) {
    VersionLabel->SetCaption("Version " + ProgramVersionText);
}

void TSplash::ShowProgress(const String& text) {
    StateLabel->SetCaption(text);
    StateLabel->Repaint();
}
