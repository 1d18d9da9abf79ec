#include "dialogs/filter_library_fields.h"

#include <charconv>

#include "numeric/number_text.h"

using enum LibraryField;

struct FilterLibraryFields::LowPassPage {
  LibraryField wp, fp, lp, width, achieved, ls, order, wp2, fp2;
};

struct FilterLibraryFields::FirPage {
  LibraryField wc, fc, order, wc2, fc2;
};

namespace {

constexpr FilterLibraryFields::LowPassPage kButterworthPage{Edit1, Edit2, Edit3,  Edit4, Edit5,
                                                            Edit6, Edit7, Edit23, Edit24};
constexpr FilterLibraryFields::LowPassPage kChebyshevPage{Edit8,  Edit9,  Edit10, Edit11, Edit13,
                                                          Edit12, Edit17, Edit25, Edit26};
constexpr FilterLibraryFields::FirPage kWeighingPage{Edit19, Edit20, Edit18, Edit27, Edit28};
constexpr FilterLibraryFields::FirPage kFrSamplingPage{Edit16, Edit22, Edit21, Edit29, Edit30};

constexpr unsigned kDecimals = FilterLibraryFields::kDecimals;

bool IsLevel(LibraryField field) { return field == Edit3 || field == Edit6 || field == Edit10 || field == Edit12; }

bool IsOrder(LibraryField field) { return field == Edit7 || field == Edit17 || field == Edit18 || field == Edit21; }

// A whole text of decimal digits as an order.
bool TextToOrder(const std::string& text, int& order) {
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), last, order);
  return ec == std::errc() && ptr == last && !text.empty();
}

}  // namespace

FilterLibraryFields::FilterLibraryFields(FilterLibraryModel& library) : library_(library) { WriteAll(); }

void FilterLibraryFields::WriteAll() {
  const CBatterwortFilter& butterworth = library_.ButterworthDesign();
  const CChebishevFilter& chebyshev = library_.ChebyshevDesign();
  WriteEdge(kButterworthPage, butterworth);
  WritePassLevel(kButterworthPage, butterworth);
  WriteStopLevel(kButterworthPage, butterworth);
  WriteWidthsAndOrder(kButterworthPage, butterworth);
  WriteEdge(kChebyshevPage, chebyshev);
  WritePassLevel(kChebyshevPage, chebyshev);
  WriteStopLevel(kChebyshevPage, chebyshev);
  WriteWidthsAndOrder(kChebyshevPage, chebyshev);
  WriteRipplePercent();
  WriteRipple(2);
  for (const FirPage& page : {kWeighingPage, kFrSamplingPage}) {
    const CWeighingFilter& design = page.wc == Edit19 ? library_.WeighingDesign() : library_.FrSamplingDesign();
    WriteCutoff(page, design);
    WriteFirOrder(page, design);
  }
  WriteKaiser();
  // The cyclic edges start with as few decimals as the angular ones.
  Write(Edit2, kDecimals, butterworth.GetFp());
  Write(Edit9, kDecimals, chebyshev.GetFp());
  Write(Edit24, kDecimals, butterworth.GetFp2());
  Write(Edit26, kDecimals, chebyshev.GetFp2());
}

int FilterLibraryFields::MaxChars(LibraryField field) {
  switch (field) {
    case Edit7:
    case Edit17:
    case Edit18:
    case Edit21: return 3;
    case Edit1:
    case Edit5:
    case Edit8:
    case Edit13:
    case Edit16:
    case Edit19:
    case Edit20:
    case Edit22:
    case Edit23:
    case Edit25:
    case Edit27:
    case Edit28:
    case Edit29:
    case Edit30: return 4;
    case Edit2:
    case Edit4:
    case Edit9:
    case Edit11:
    case Edit14:
    case Edit24:
    case Edit26: return 5;
    case Edit3:
    case Edit10:
    case Edit31:
    case Edit32:
    case Edit33: return 6;
    case Edit6:
    case Edit12:
    case Edit15: return 8;
  }
  return 0;
}

FieldKeys FilterLibraryFields::KeysOf(LibraryField field) const {
  if (IsOrder(field)) return FieldKeys::kDigits;
  if (IsLevel(field) && decibel_) return FieldKeys::kSigned;
  return FieldKeys::kUnsigned;
}

bool FilterLibraryFields::IsEditable(LibraryField field) const {
  if (!IsApplicable(field)) return false;
  switch (field) {
    case Edit5:
    case Edit13: return false;
    case Edit4:
    case Edit11: return !order_entry_;
    case Edit7:
    case Edit17: return order_entry_;
    default: return true;
  }
}

bool FilterLibraryFields::IsApplicable(LibraryField field) const {
  switch (field) {
    case Edit23:
    case Edit24: return HasTwoCutoffs(Band(kButterworthKind));
    case Edit25:
    case Edit26: return HasTwoCutoffs(Band(kChebyshevKind));
    case Edit27:
    case Edit28: return HasTwoCutoffs(Band(kWeighingKind));
    case Edit29:
    case Edit30: return HasTwoCutoffs(Band(kFrSamplingKind));
    case Edit31:
    case Edit32:
    case Edit33: return Window(kWeighingKind) == FirWindow::kKaiser;
    default: return true;
  }
}

std::vector<LibraryField> FilterLibraryFields::TakeRewritten() {
  std::vector<LibraryField> fields;
  for (const int field : texts_.TakeWritten()) fields.push_back(static_cast<LibraryField>(field));
  return fields;
}

CommitResult FilterLibraryFields::Commit(LibraryField field, const std::string& text) {
  if (!IsEditable(field) || texts_.Holds(static_cast<int>(field), text)) return CommitResult::kUnchanged;
  if (IsOrder(field)) {
    int order = 0;
    if (!TextToOrder(text, order)) return CommitResult::kInvalid;
    CommitOrder(field, order);
  } else {
    double value = 0;
    if (!TextToDouble(text, value)) return CommitResult::kInvalid;
    CommitValue(field, value);
  }
  return CommitResult::kCommitted;
}

void FilterLibraryFields::CommitValue(LibraryField field, double value) {
  CBatterwortFilter& butterworth = library_.ButterworthDesign();
  CChebishevFilter& chebyshev = library_.ChebyshevDesign();
  switch (field) {
    case Edit1:
    case Edit2:
    case Edit23:
    case Edit24: CommitEdge(kButterworthPage, butterworth, field, value); break;
    case Edit8:
    case Edit9:
    case Edit25:
    case Edit26: CommitEdge(kChebyshevPage, chebyshev, field, value); break;
    case Edit4: CommitWidth(kButterworthPage, butterworth, value); break;
    case Edit11: CommitWidth(kChebyshevPage, chebyshev, value); break;
    case Edit3: CommitPassLevel(kButterworthPage, butterworth, value); break;
    case Edit6: CommitStopLevel(kButterworthPage, butterworth, value, 2); break;
    case Edit10:
      CommitPassLevel(kChebyshevPage, chebyshev, value);
      // A pass-band level above the lower ripple level narrows the ripple band.
      WriteRipple();
      WriteRipplePercent();
      break;
    // Right after its own entry the decibel level shows to one decimal.
    case Edit12: CommitStopLevel(kChebyshevPage, chebyshev, value, 1); break;
    case Edit14:
    case Edit15: CommitChebyshevRipple(field, value); break;
    case Edit19:
    case Edit20:
    case Edit27:
    case Edit28: CommitCutoff(kWeighingPage, library_.WeighingDesign(), field, value); break;
    case Edit16:
    case Edit22:
    case Edit29:
    case Edit30: CommitCutoff(kFrSamplingPage, library_.FrSamplingDesign(), field, value); break;
    case Edit31:
    case Edit32:
    case Edit33: CommitKaiser(field, value); break;
    default: break;
  }
}

template <class Design>
void FilterLibraryFields::CommitEdge(const LowPassPage& page, Design& design, LibraryField field, double value) {
  if (field == page.wp) design.SetWp(value);
  else if (field == page.fp) design.SetFp(value);
  else if (field == page.wp2) design.SetWp2(value);
  else design.SetFp2(value);
  // Either edge may have moved the other to keep them in order.
  WriteEdge(page, design);
  WriteWidthsAndOrder(page, design);
}

template <class Design>
void FilterLibraryFields::CommitPassLevel(const LowPassPage& page, Design& design, double value) {
  if (decibel_) design.SetLpdB(value);
  else design.SetLp(value);
  WritePassLevel(page, design);
  WriteWidthsAndOrder(page, design);
}

template <class Design>
void FilterLibraryFields::CommitStopLevel(const LowPassPage& page, Design& design, double value, int decibel_decimals) {
  if (decibel_) design.SetLsdB(value);
  else design.SetLs(value);
  WriteStopLevel(page, design, decibel_decimals);
  WriteWidthsAndOrder(page, design);
}

template <class Design>
void FilterLibraryFields::CommitWidth(const LowPassPage& page, Design& design, double value) {
  design.SetTransition(value);
  WriteWidthsAndOrder(page, design);
}

void FilterLibraryFields::CommitCutoff(const FirPage& page, CWeighingFilter& design, LibraryField field, double value) {
  if (field == page.wc) design.SetWc(value);
  else if (field == page.fc) design.SetFc(value);
  else if (field == page.wc2) design.SetWc2(value);
  else design.SetFc2(value);
  WriteCutoff(page, design);
}

void FilterLibraryFields::CommitKaiser(LibraryField field, double value) {
  CWeighingFilter& design = library_.WeighingDesign();
  if (field == Edit31) design.SetKaiserBeta(value);
  else if (field == Edit32) design.SetAttenuationDb(value);
  else design.SetTransition(value);
  // The attenuation sets β, and with the width the order the window needs.
  WriteKaiser();
  WriteFirOrder(kWeighingPage, design);
}

void FilterLibraryFields::CommitChebyshevRipple(LibraryField field, double value) {
  CChebishevFilter& chebyshev = library_.ChebyshevDesign();
  if (field == Edit14) chebyshev.SetRipple(value * 0.01);  // typed in percent
  else if (decibel_) chebyshev.SetRippledB(value);
  else chebyshev.SetRipple(value);
  // The ripple may have moved the pass-band level, and the level the order.
  WriteRipplePercent();
  WriteRipple();
  WritePassLevel(kChebyshevPage, chebyshev);
  WriteStopLevel(kChebyshevPage, chebyshev);
  WriteWidthsAndOrder(kChebyshevPage, chebyshev);
}

void FilterLibraryFields::CommitOrder(LibraryField field, int order) {
  switch (field) {
    case Edit7:
      library_.ButterworthDesign().SetOrder(order);
      WriteWidthsAndOrder(kButterworthPage, library_.ButterworthDesign());
      break;
    case Edit17:
      library_.ChebyshevDesign().SetOrder(order);
      WriteWidthsAndOrder(kChebyshevPage, library_.ChebyshevDesign());
      break;
    case Edit18:
      library_.WeighingDesign().SetOrder(order);
      WriteFirOrder(kWeighingPage, library_.WeighingDesign());
      break;
    case Edit21:
      library_.FrSamplingDesign().SetOrder(order);
      WriteFirOrder(kFrSamplingPage, library_.FrSamplingDesign());
      break;
    default: break;
  }
}

void FilterLibraryFields::SwitchDecibel() {
  decibel_ = !decibel_;
  WritePassLevel(kButterworthPage, library_.ButterworthDesign());
  WriteStopLevel(kButterworthPage, library_.ButterworthDesign());
  WritePassLevel(kChebyshevPage, library_.ChebyshevDesign());
  WriteStopLevel(kChebyshevPage, library_.ChebyshevDesign());
  // Back in ratios the ripple shows as short as it did at the start.
  WriteRipple(2);
}

void FilterLibraryFields::ShowDesigns(bool decibel) {
  FilterLibraryFields fresh(library_);
  if (decibel) fresh.SwitchDecibel();
  for (int field = kFirstLibraryField; field <= kLastLibraryField; ++field)
    texts_.Write(field, fresh.texts_.Text(field));
  decibel_ = decibel;
}

void FilterLibraryFields::SetOrderEntry(bool order_entry) {
  order_entry_ = order_entry;
  library_.ButterworthDesign().SetAutoOrder(!order_entry);
  library_.ChebyshevDesign().SetAutoOrder(!order_entry);
}

void FilterLibraryFields::SetBand(int page, BandType band) {
  switch (page) {
    case kButterworthKind:
      library_.ButterworthDesign().SetBand(band);
      WriteEdge(kButterworthPage, library_.ButterworthDesign());
      WriteWidthsAndOrder(kButterworthPage, library_.ButterworthDesign());
      break;
    case kChebyshevKind:
      library_.ChebyshevDesign().SetBand(band);
      WriteEdge(kChebyshevPage, library_.ChebyshevDesign());
      WriteWidthsAndOrder(kChebyshevPage, library_.ChebyshevDesign());
      break;
    default: {
      const FirPage& fir = page == kWeighingKind ? kWeighingPage : kFrSamplingPage;
      CWeighingFilter& design = FirDesign(page);
      design.SetBand(band);
      // A second cut-off kept from before may lie below a first one set for low-pass or high-pass.
      if (HasTwoCutoffs(band)) design.SetWc2(design.GetWc2());
      WriteCutoff(fir, design);
      break;
    }
  }
}

BandType FilterLibraryFields::Band(int page) const {
  switch (page) {
    case kButterworthKind: return library_.ButterworthDesign().GetBand();
    case kChebyshevKind: return library_.ChebyshevDesign().GetBand();
    default: return FirDesign(page).GetBand();
  }
}

void FilterLibraryFields::SetWindow(int page, FirWindow window) {
  CWeighingFilter& design = FirDesign(page);
  const bool to_kaiser = window == FirWindow::kKaiser && design.GetWindow() != FirWindow::kKaiser;
  design.SetWindow(window);
  // Kaiser's order follows from its attenuation and width: chosen, it shows the estimate at once.
  if (to_kaiser) {
    design.SetOrder(design.EstimateKaiserOrder());
    WriteFirOrder(page == kWeighingKind ? kWeighingPage : kFrSamplingPage, design);
  }
}

FirWindow FilterLibraryFields::Window(int page) const { return FirDesign(page).GetWindow(); }

CWeighingFilter& FilterLibraryFields::FirDesign(int page) {
  return page == kWeighingKind ? library_.WeighingDesign() : library_.FrSamplingDesign();
}

const CWeighingFilter& FilterLibraryFields::FirDesign(int page) const {
  return page == kWeighingKind ? library_.WeighingDesign() : library_.FrSamplingDesign();
}

template <class Design>
void FilterLibraryFields::WriteEdge(const LowPassPage& page, const Design& design) {
  Write(page.wp, kDecimals, design.GetWp());
  Write(page.fp, kDecimals + 1, design.GetFp());
  Write(page.wp2, kDecimals, design.GetWp2());
  Write(page.fp2, kDecimals + 1, design.GetFp2());
}

template <class Design>
void FilterLibraryFields::WriteWidthsAndOrder(const LowPassPage& page, const Design& design) {
  Write(page.width, kDecimals, design.GetTransition());
  Write(page.achieved, kDecimals, design.GetActualTransition());
  texts_.Write(static_cast<int>(page.order), std::to_string(design.GetOrder()));
}

template <class Design>
void FilterLibraryFields::WritePassLevel(const LowPassPage& page, const Design& design) {
  decibel_ ? Write(page.lp, 2, design.GetLpdB()) : Write(page.lp, 4, design.GetLp());
}

template <class Design>
void FilterLibraryFields::WriteStopLevel(const LowPassPage& page, const Design& design, int decibel_decimals) {
  decibel_ ? Write(page.ls, decibel_decimals, design.GetLsdB()) : Write(page.ls, 7, design.GetLs());
}

void FilterLibraryFields::WriteRipple(int linear_decimals) {
  const CChebishevFilter& chebyshev = library_.ChebyshevDesign();
  decibel_ ? Write(Edit15, 3, chebyshev.GetRippledB()) : Write(Edit15, linear_decimals, chebyshev.GetRipple());
}

void FilterLibraryFields::WriteRipplePercent() { Write(Edit14, 2, library_.ChebyshevDesign().GetRipple() * 100); }

void FilterLibraryFields::WriteCutoff(const FirPage& page, const CWeighingFilter& design) {
  Write(page.wc, kDecimals, design.GetWc());
  Write(page.fc, kDecimals, design.GetFc());
  Write(page.wc2, kDecimals, design.GetWc2());
  Write(page.fc2, kDecimals, design.GetFc2());
}

void FilterLibraryFields::WriteKaiser() {
  const CWeighingFilter& design = library_.WeighingDesign();
  Write(Edit31, 2, design.GetKaiserBeta());
  Write(Edit32, 2, design.GetAttenuationDb());
  Write(Edit33, kDecimals, design.GetTransition());
}

void FilterLibraryFields::WriteFirOrder(const FirPage& page, const CWeighingFilter& design) {
  texts_.Write(static_cast<int>(page.order), std::to_string(design.GetOrder()));
}

void FilterLibraryFields::Write(LibraryField field, unsigned decimals, double value) {
  texts_.Write(static_cast<int>(field), FormatNumber(decimals, value));
}
