// quorvel-graph-gallery OUTPUT_FOLDER
// Writes PNGs of every graph kind (0-4) with realistic data in Japanese and
// English, the large-screen dialog and the graph dialogs, for looking at them
// the way a user does.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/FontSetup.h"
#include "graph/DataSetList.h"
#include "graph/GraphArea.h"
#include "graph/GraphDrawer.h"
#include "graph/ReferenceDialogs.h"
#include "graph/ResizeGraphDlg.h"
#include "graph/SetColorDlg.h"
#include "host/ColourFile.h"
#include "host/Language.h"
#include "host/NumberText.h"
#include "srn/EqBase.h"
#include "srn/SrnFormRecord.h"
#include "strain/StrainFormRecord.h"

namespace {

using namespace quorvel;

// One graph's records, as a page would own them.
struct Sample {
  DataSetList data;
  std::vector<std::unique_ptr<CPointDataList>> curves;
  int kind = 0;

  std::vector<const CPointDataList*> CurvePointers() const {
    std::vector<const CPointDataList*> pointers;
    for (const auto& curve : curves) pointers.push_back(curve.get());
    return pointers;
  }
};

struct SrnSet {
  const char* name;
  double a, b, c;
};
constexpr SrnSet kSrnSets[] = {
    {"1.5", 0.32, 0.28, 0.155}, {"2", 0.34, 0.27, 0.165}, {"5", 0.37, 0.25, 0.18}, {"10", 0.40, 0.24, 0.19}};

CEq1Param SrnCurve(const SrnSet& set) {
  CEq1Param eq;
  eq.AppendParam(set.a);
  eq.AppendParam(set.b);
  eq.AppendParam(set.c);
  eq.Name = set.name;
  return eq;
}

std::unique_ptr<CPointDataList> SampledCurve(const CEqBase& eq, double from, double to, double step,
                                             const std::string& name, int colour, bool legend) {
  auto curve = std::make_unique<CPointDataList>(name);
  for (double x = from; x <= to + 1e-9; x += step) curve->AppendPoint(x, eq.Evaluate(x));
  curve->Colour = colour;
  curve->HasLegend = legend;
  return curve;
}

std::string SrnLegend(const std::string& da) {
  return IsJapanese() ? da + "%近似曲線" : "fitting curve of the " + da + "%";
}

Sample SrnSample(const ColourRecord& colours) {
  Sample sample;
  sample.kind = kGraphSrn;
  const double cycles[] = {3, 8, 20, 45, 110, 260};
  unsigned seed = 7;
  double smallestN = 1e9, largestN = 0, smallestSr = 1e9, largestSr = 0;
  for (const SrnSet& set : kSrnSets) {
    CPointDataList list(set.name);
    const CEq1Param eq = SrnCurve(set);
    for (double n : cycles) {
      seed = seed * 1103515245u + 12345u;
      const double noise = (static_cast<double>((seed >> 16) % 1000) / 1000.0 - 0.5) * 0.012;
      const double sr = eq.Evaluate(n) + noise;
      list.AppendPoint(n * (1.0 + 0.1 * static_cast<double>(&set - kSrnSets)), sr);
    }
    for (const CDPoint& p : list.Points()) {
      smallestN = std::min(smallestN, p.x);
      largestN = std::max(largestN, p.x);
      smallestSr = std::min(smallestSr, p.y);
      largestSr = std::max(largestSr, p.y);
    }
    sample.data.Append(std::move(list));
  }
  sample.data.XMinimum = smallestN;
  sample.data.XMaximum = std::pow(10.0, std::floor(std::log10(largestN)) + 1);
  sample.data.YMinimum = smallestSr;
  sample.data.YMaximum = largestSr;
  sample.data.YPitch = 0.05;
  sample.data.SnapYRange();
  std::size_t k = 0;
  for (const SrnSet& set : kSrnSets) {
    sample.curves.push_back(SampledCurve(SrnCurve(set), sample.data.XMinimum, sample.data.XMaximum + 1, 1.0,
                                         SrnLegend(set.name), colours.DataSetColour(k), true));
    ++k;
  }
  return sample;
}

// Alpha, beta and C against DA as fitted ExpGrow curves.
std::unique_ptr<CEqBase> ConstantCurve(double a0, double a1, double a2, double a3, double a4) {
  auto eq = MakeEquation(3);
  for (double p : {a0, a1, a2, a3, a4}) eq->AppendParam(p);
  return eq;
}

Sample ConstantsSample(const ColourRecord& colours) {
  Sample sample;
  sample.kind = kGraphConstants;
  const std::unique_ptr<CEqBase> curves[3] = {ConstantCurve(0.25, 0.10, 3.0, 0.06, 30.0),
                                              ConstantCurve(0.30, -0.06, 4.0, -0.02, 40.0),
                                              ConstantCurve(0.12, 0.05, 2.5, 0.03, 25.0)};
  const double levels[] = {1.5, 2, 5, 10};
  for (int d = 0; d < 3; ++d) {
    CPointDataList list(kConstantNames[d]);
    for (double da : levels) list.AppendPoint(da, curves[d]->Evaluate(da) + 0.004 * std::sin(da * (d + 1)));
    sample.data.Append(std::move(list));
  }
  sample.data.XMinimum = 0;
  sample.data.XMaximum = 100;
  sample.data.XPitch = 10;
  sample.data.YMinimum = 0;
  sample.data.YMaximum = 0.45;
  sample.data.YPitch = 0.05;
  sample.data.SnapYRange();
  for (int d = 0; d < 3; ++d) {
    const std::string name = kConstantNames[d];
    sample.curves.push_back(SampledCurve(*curves[d], 0, sample.data.XMaximum + 1, 0.01,
                                         IsJapanese() ? name + "近似曲線" : "fitting curve of the " + name,
                                         colours.ConstantColour(static_cast<std::size_t>(d)), true));
  }
  return sample;
}

Sample SrnViewSample(const ColourRecord& colours) {
  Sample sample = SrnSample(colours);
  sample.kind = kGraphSrnView;
  const std::unique_ptr<CEqBase> constants[3] = {ConstantCurve(0.25, 0.10, 3.0, 0.06, 30.0),
                                                 ConstantCurve(0.30, -0.06, 4.0, -0.02, 40.0),
                                                 ConstantCurve(0.12, 0.05, 2.5, 0.03, 25.0)};
  const char* word = IsJapanese() ? "(推定)" : "(Estimation)";
  std::vector<double> levels;
  for (double da = 0.5; da <= 20.0 + 1e-9; da += 1.5) levels.push_back(da);
  for (double da : {40.0, 60.0, 80.0, 100.0}) levels.push_back(da);
  for (double da : levels) {
    CEq1Param eq;
    for (const auto& c : constants) eq.AppendParam(c->Evaluate(da));
    std::string legend;
    int colour = colours.EstimatedCurveColour(1);
    bool hasLegend = false;
    if (std::fabs(da - 0.5) < 1e-9 || std::fabs(da - 20.0) < 1e-9) {
      legend = FormatDouble(da, 1) + "%" + word;
      colour = colours.EstimatedCurveColour(0);
      hasLegend = true;
    } else if (da < 20.0) {
      hasLegend = std::fabs(da - 2.0) < 1e-9;
      legend = std::string("2.0～18.5%") + word;
    } else {
      colour = colours.EstimatedCurveColour(2);
      hasLegend = da == 40.0;
      legend = std::string("40,60,80,100%") + word;
    }
    sample.curves.push_back(SampledCurve(eq, 1, sample.data.XMaximum + 1, 1.0, legend, colour, hasLegend));
  }
  return sample;
}

double Strain(double x) {
  // phi_mob(x) = A1 exp(-(x/t1)^d1) + A2 exp(-(x/t2)^d2), A2 = phi_peak - A1.
  const double peak = 36.0, a1 = 14.0, t1 = 0.8, d1 = 0.9, t2 = 9.0, d2 = 1.4;
  return a1 * std::exp(-std::pow(x / t1, d1)) + (peak - a1) * std::exp(-std::pow(x / t2, d2));
}

Sample StrainSample(const ColourRecord& colours, int kind) {
  Sample sample;
  sample.kind = kind;
  const double scale = kind == kGraphStrainDamage ? 0.05 : 1.0;  // damage runs 0 ... 1
  CPointDataList data;
  for (double x : {0.0, 0.2, 0.5, 1.0, 2.0, 3.0, 5.0, 7.5, 10.0, 15.0, 20.0}) {
    data.AppendPoint(x * scale, Strain(x) + 0.8 * std::sin(3 * x));
  }
  sample.data.Append(std::move(data));
  sample.data.XMinimum = 0;
  sample.data.XMaximum = 20 * scale;
  sample.data.XPitch = kind == kGraphStrainDamage ? 0.2 : 2;
  sample.data.YMinimum = 0;
  sample.data.YMaximum = 40;
  sample.data.YPitch = 5;
  auto curve = std::make_unique<CPointDataList>(IsJapanese() ? "近似曲線" : "fitting curve");
  for (double x = 0; x <= 20.01; x += 0.01) curve->AppendPoint(x * scale, Strain(x));
  curve->Colour = colours.StrainCurveColour();
  curve->HasLegend = true;
  sample.curves.push_back(std::move(curve));
  return sample;
}

Sample SampleOfKind(int kind, const ColourRecord& colours) {
  switch (kind) {
    case kGraphSrn:
      return SrnSample(colours);
    case kGraphSrnView:
      return SrnViewSample(colours);
    case kGraphStrainDa:
    case kGraphStrainDamage:
      return StrainSample(colours, kind);
    default:
      return ConstantsSample(colours);
  }
}

bool Save(const QImage& image, const QString& path) {
  const bool ok = image.save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

bool SaveDialog(QWidget& dialog, const QString& path) {
  dialog.show();
  QApplication::processEvents();
  const bool ok = Save(dialog.grab().toImage(), path);
  dialog.close();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetUpFonts();
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("graph-gallery");
  QDir().mkpath(folder);
  const ColourRecord colours = ColourRecord::Defaults();
  bool ok = true;
  for (int language : {kJapanese, kEnglish}) {
    SetCurrentLanguage(language);
    const QString suffix = language == kJapanese ? QStringLiteral("ja") : QStringLiteral("en");
    for (int kind = 0; kind <= 4; ++kind) {
      const Sample sample = SampleOfKind(kind, colours);
      CGraphDrawer drawer;
      drawer.SetSeries(sample.CurvePointers(), &sample.data, &colours, sample.kind);
      ok &= Save(drawer.RenderImage(QSize(900, 520)),
                 QStringLiteral("%1/kind%2-%3.png").arg(folder).arg(kind).arg(suffix));
      if (kind == kGraphSrn) {
        drawer.SetZoom(2.0);
        ok &= Save(drawer.RenderImage(QSize(900, 520)), QStringLiteral("%1/kind1-zoom2-%2.png").arg(folder, suffix));
        drawer.SetZoom(1.0);
        CResizeGraphDlg dialog(drawer);
        dialog.show();
        QApplication::processEvents();
        ok &= Save(dialog.grab().toImage(), QStringLiteral("%1/large-screen-%2.png").arg(folder, suffix));
        dialog.resize(dialog.width() * 2, dialog.height());
        QApplication::processEvents();
        ok &= Save(dialog.grab().toImage(), QStringLiteral("%1/large-screen-wide-%2.png").arg(folder, suffix));
      }
    }
    CRefGraphDlg refGraph;
    ok &= SaveDialog(refGraph, QStringLiteral("%1/ref-graph-%2.png").arg(folder, suffix));
    CRefFuncDlg refFunc;
    ok &= SaveDialog(refFunc, QStringLiteral("%1/ref-func-%2.png").arg(folder, suffix));
    CRefFuncStrainDlg refStrain;
    ok &= SaveDialog(refStrain, QStringLiteral("%1/ref-func-strain-%2.png").arg(folder, suffix));
    // The drawing-setup dialogs at the size they open with.
    ColourRecord setupColours = colours;
    bool unchanged = true;
    Sample srn = SrnSample(colours);
    Sample constants = ConstantsSample(colours);
    CSetColorSrnDlg srnSetup(setupColours, srn.data, constants.data, unchanged);
    ok &= SaveDialog(srnSetup, QStringLiteral("%1/drawing-setup-srn-%2.png").arg(folder, suffix));
    Sample strain = SampleOfKind(kGraphStrainDa, colours);
    CSetColorStrainDlg strainSetup(setupColours, strain.data, unchanged);
    ok &= SaveDialog(strainSetup, QStringLiteral("%1/drawing-setup-strain-%2.png").arg(folder, suffix));
  }
  return ok ? 0 : 1;
}
