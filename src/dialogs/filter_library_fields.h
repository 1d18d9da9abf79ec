#pragma once
// The edit fields of the filter library dialog: which design setter each field commits to, which
// fields are rewritten afterwards and with how many decimals, the level display in ratios or in
// decibels, the two entry modes of the recursive designs (transition width or order), each page's
// band type and the windowed page's window. The dialog only forwards its fields' texts here and
// shows the texts written back.

#include <string>
#include <vector>

#include "dialogs/field_keys.h"
#include "dialogs/field_texts.h"
#include "dialogs/filter_library_model.h"
#include "filter/band_type.h"

// The fields by the number of their control. Butterworth: 1–7; Chebyshev: 8–15 and 17; windowed
// FIR: 18–20; frequency-sampling FIR: 16, 21, 22. The second edges of band-pass and band-stop:
// 23, 24 (Butterworth), 25, 26 (Chebyshev), 27, 28 (windowed), 29, 30 (frequency sampling); the
// Kaiser window's β, attenuation and transition width: 31–33.
enum class LibraryField {
  Edit1 = 1,
  Edit2,
  Edit3,
  Edit4,
  Edit5,
  Edit6,
  Edit7,
  Edit8,
  Edit9,
  Edit10,
  Edit11,
  Edit12,
  Edit13,
  Edit14,
  Edit15,
  Edit16,
  Edit17,
  Edit18,
  Edit19,
  Edit20,
  Edit21,
  Edit22,
  Edit23,
  Edit24,
  Edit25,
  Edit26,
  Edit27,
  Edit28,
  Edit29,
  Edit30,
  Edit31,
  Edit32,
  Edit33,
};
constexpr int kFirstLibraryField = 1;
constexpr int kLastLibraryField = 33;

class FilterLibraryFields {
 public:
  // Decimals of frequencies and transition widths.
  static constexpr int kDecimals = 2;

  // Fills every field from the design objects, levels as ratios.
  explicit FilterLibraryFields(FilterLibraryModel& library);

  FilterLibraryModel& Library() { return library_; }
  const FilterLibraryModel& Library() const { return library_; }

  // --- What each field accepts ---
  static int MaxChars(LibraryField field);
  // Level fields take a leading minus while levels are shown in decibels.
  FieldKeys KeysOf(LibraryField field) const;
  // The achieved widths never; the requested widths in width mode; the orders of the recursive
  // designs in order mode; fields that do not apply never; every other field always.
  bool IsEditable(LibraryField field) const;
  // The second edges apply to band-pass and band-stop, the Kaiser fields to the Kaiser window.
  bool IsApplicable(LibraryField field) const;

  // --- Texts ---
  const std::string& Text(LibraryField field) const { return texts_.Text(static_cast<int>(field)); }
  // The fields written since the last call: the dialog shows their new texts.
  std::vector<LibraryField> TakeRewritten();

  // --- Events ---
  // Leaving a field: hands its value to the design's setter and rewrites the fields that depend
  // on it. Unreadable text changes nothing (kInvalid); a field not edited since it was written
  // is not read again (kUnchanged).
  CommitResult Commit(LibraryField field, const std::string& text);
  // Shows the levels in decibels, or back as ratios.
  void SwitchDecibel();
  // Rewrites every field from the designs, as a new dialog would show them, the levels in
  // decibels or as ratios: the designs were set from elsewhere (a project).
  void ShowDesigns(bool decibel);
  bool IsDecibel() const { return decibel_; }
  // Order entry (the order is typed and the achieved width follows) or width entry (the
  // requested width is typed and the order follows) for Butterworth and Chebyshev.
  void SetOrderEntry(bool order_entry);
  bool IsOrderEntry() const { return order_entry_; }
  // The band type of a page's design (pages numbered as the library numbers them); the edges it
  // may have put in order and the order that follows are rewritten.
  void SetBand(int page, BandType band);
  BandType Band(int page) const;
  // The window of a non-recursive page (2 or 3). Choosing Kaiser's sets the order it estimates.
  void SetWindow(int page, FirWindow window);
  FirWindow Window(int page) const;

  // The fields of one page, by their role.
  struct LowPassPage;
  struct FirPage;

 private:
  void WriteAll();
  void CommitValue(LibraryField field, double value);
  void CommitOrder(LibraryField field, int order);
  void CommitChebyshevRipple(LibraryField field, double value);
  template <class Design>
  void CommitEdge(const LowPassPage& page, Design& design, LibraryField field, double value);
  template <class Design>
  void CommitPassLevel(const LowPassPage& page, Design& design, double value);
  template <class Design>
  void CommitStopLevel(const LowPassPage& page, Design& design, double value, int decibel_decimals);
  template <class Design>
  void CommitWidth(const LowPassPage& page, Design& design, double value);
  void CommitCutoff(const FirPage& page, CWeighingFilter& design, LibraryField field, double value);
  void CommitKaiser(LibraryField field, double value);

  template <class Design>
  void WriteEdge(const LowPassPage& page, const Design& design);
  template <class Design>
  void WriteWidthsAndOrder(const LowPassPage& page, const Design& design);
  template <class Design>
  void WritePassLevel(const LowPassPage& page, const Design& design);
  template <class Design>
  void WriteStopLevel(const LowPassPage& page, const Design& design, int decibel_decimals = 2);
  void WriteRipple(int linear_decimals = 4);
  void WriteRipplePercent();
  void WriteCutoff(const FirPage& page, const CWeighingFilter& design);
  void WriteFirOrder(const FirPage& page, const CWeighingFilter& design);
  void WriteKaiser();
  CWeighingFilter& FirDesign(int page);
  const CWeighingFilter& FirDesign(int page) const;
  void Write(LibraryField field, unsigned decimals, double value);

  FilterLibraryModel& library_;
  FieldTexts texts_{kLastLibraryField + 1};
  bool decibel_ = false;
  bool order_entry_ = false;
};
