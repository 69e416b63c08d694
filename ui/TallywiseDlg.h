// The main window: the expression and result fields, the Result button, the
// on-top toggle and the precision control.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AccessibleObject.h"
#include "Calculation.h"
#include "ChoicesText.h"
#include "ComApartment.h"
#include "ExactMark.h"
#include "ExactValue.h"
#include "ExpressionEdit.h"
#include "Framework.h"
#include "Operators.h"
#include "LiveResultSchedule.h"
#include "PrecisionSpin.h"
#include "ResultEdit.h"
#include "SystemCalls.h"
#include "Theme.h"
#include "WindowLayout.h"

enum class HistoryWrite;  // WindowHistoryFile.h

// The message a window that emptied the history file sends every top-level
// window, so that each open copy of the program forgets what it holds too;
// other programs do not know it and pass it over.
unsigned HistoryClearedMessage();

// Members are named m_ and a prefix for their kind: str string, n integer,
// d floating-point number (here one that may be absent), b boolean, p pointer,
// h handle or a handle's owner, rc rectangle, arr list; a control or a GDI
// object by its class (edit, btn, spin, tip, font, brush); any other object
// by its own type.
class CTallywiseDlg : public CDialog {
public:
  // `systemCalls` are the system's own unless a test stands in for them.
  explicit CTallywiseDlg(CWnd* parent = nullptr, const WindowSystemCalls& systemCalls = {});

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnInitDialog() override;

  void OnResult();
  void OnToggleTopMost();
  void OnDeltaposPrecision(NMHDR* notification, LRESULT* result);
  void OnExpressionFull();
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnClose();
  LRESULT OnEndSession(WPARAM ending, LPARAM);
  void OnWindowPosChanged(WINDOWPOS* pos);
  BOOL OnHelpInfo(HELPINFO* info);

  void OnSysCommand(UINT id, LPARAM lParam);
  LRESULT OnGetControlObject(HWND control, WPARAM wParam);
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColorGround(WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColorField(WPARAM wParam, LPARAM lParam);
  void OnCustomDrawButton(NMHDR* header, LRESULT* result);
  LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnSystemColoursChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnHistoryCleared(WPARAM wParam, LPARAM lParam);
  LRESULT OnFaultBoxesClosed(WPARAM wParam, LPARAM lParam);
  void OnExpressionChange();
  void OnTimer(UINT_PTR id);

  DECLARE_MESSAGE_MAP()

private:
  void AddToolTips();
  // The one reading of the expression: its check and, when that passes, its value.
  Calculation Evaluate(CString expression);
  // Shows the check's prompt and mark; false when the text was rejected.
  BOOL CheckExpression(const CheckOutcome& outcome);
  void SelectInExpression(std::ptrdiff_t start, std::ptrdiff_t end);
  void GiveFocusBackForTyping();
  // Posted by the Result command when its fault boxes have closed.
  static constexpr UINT kFaultBoxesClosed = WM_APP;
  // Enter sent again by the keyboard's auto-repeat, in any control of the window.
  bool IsRepeatedEnter(const MSG& msg) const;
  void LoadSettings();
  void ApplyDefaultSettings();
  BOOL ReadSettingsLines(const CString& path, CStringArray& lines);
  BOOL ApplySettings(const CStringArray& lines, CString& format, int& x, int& y, CFont& font, bool& topMost);
  BOOL CollectSettings(CStringArray& lines, const CString& format, int x, int y, const CFont& font, bool topMost);
  BOOL WriteSettingsLines(const CString& path, const CStringArray& lines);
  void SaveSettings();
  // Writes the choices file at once: a choice is kept the moment it is made.
  void SaveChoices();
  void LoadHistory();
  void SaveHistory(const std::string& added);
  void ClearHistory();
  void ForgetHistory();
  void ReportHistoryNotWritten(HistoryWrite written);
  BOOL TranslateExpressionKey(const MSG& msg);
  void StepDecimals(int delta);
  bool NothingSelectedInExpression() const;
  void CopyShownNumber();
  void ExtendSystemMenu();
  // Sets or clears the mark of a check entry of the system menu.
  void ShowChoiceChecked(UINT id, bool checked);
  void ChooseDisplayFont();
  void PlaceWindow();
  void ShowOnTopState();
  void InitPrecision();
  AccessibleFacts DescribeControl(int id) const;
  std::string ShownResult() const;
  void AnnounceResult();
  void ShowIconsForDpi();
  void RemakeDisplayFontForDpi(UINT fontDpi);
  void ScaleControls(UINT fromDpi, UINT toDpi);
  void MoveToScale(UINT newDpi, const RECT& frame);
  bool TakeScaleOfPlace();
  void NoteTemplateLayout();
  void FitToFont();
  int FieldHeightForFont() const;
  int WidthToAddForFont(int resultWidth, int clientWidth) const;
  int m_nWidenedBy = 0;  // pixels the window was widened by for its font
  void FollowSystemLook();
  // True while the result field shows the prompt the last check wrote.
  bool ShowsPrompt() const;
  void ShowDecimalsInTip();
  // The words of the window in the language in use (Language.cpp).
  void ShowTexts();
  void ShowFaults(const std::vector<FaultMet>& faults);
  std::wstring PromptText(const CheckOutcome& outcome) const;
  std::wstring FaultText(ComputeFault fault) const;
  void ShowInResultField(const std::wstring& text);
  void AddLanguageMenu(HMENU systemMenu);
  void MarkLanguageInMenu();
  bool OnLanguageCommand(UINT id);
  // The result field's numbers, grouped for reading when that is chosen.
  void MakeResultFieldUnicode();
  void ShowResultNumber(const std::string& plain);
  void ToggleDigitGrouping();
  // The live result of the expression being typed.
  void ToggleLiveResult();
  void ShowLiveResult();
  void ShowLiveNumber(const std::string& plain);
  bool ShowsLiveResult() const;
  bool ReformatLiveResult();
  void EndLiveResult();
  void ShowKeys();
  // Exact arithmetic and the mark of a classic result that differs from it (ExactArithmetic.cpp).
  void AddExactArithmeticItem(HMENU menu);
  void ToggleExactArithmetic();
  void ComputeShownResultAgain();
  Arithmetic ChosenArithmetic() const;
  void KeepExactValue(const Calculation& calculation, const CString& expression);
  std::string WriteResultValue();
  void InitExactMark();
  void ShowExactMark();
  bool ShowsExactMark() const;
  std::string ExactValueNote() const;
  void PlaceExactMark();

  // The push-pin is drawn 16 pixels square at 100 %, which fills the on-top
  // button inside its edges; its icon has a frame for each step of 25 % up to 200 %.
  static constexpr int kPinSizeAt96 = 16;

  // First in, last out: the accessible objects of the controls are COM objects
  // of this thread, called on it while the window runs.
  CComApartment m_comApartment;
  WindowSystemCalls m_systemCalls;
  // The scale the display font and the icons are made for: the window's.
  UINT m_nDpi = kDefaultDpi;
  // The controls and the client area as the template laid them out, at the
  // scale the window was made at: the fields are never lower than that.
  UINT m_nTemplateDpi = kDefaultDpi;
  RECT m_rcTemplateClient{};
  LaidOutPlaces m_arrTemplatePlaces{};
  // The program icon at the caption's big size (the taskbar's, Alt+Tab's).
  CIcon m_hIcon;
  CIcon m_hIconSmall;
  // The evaluator's work space in place of a token list and a depth list: it
  // reaches the same results in one pass. Empty before and after every evaluation,
  // keeping only its capacity.
  EvaluationStacks m_evaluationStacks;
  bool m_bResultRunning = false;  // until the Result command under way, boxes included, has ended
  CString m_strExpression;
  CString m_strResult;
  CString m_strPromptShown;  // the last check's prompt: shown while the result field holds it
  // Writes that prompt in the language in use, for a change of language.
  std::function<std::wstring()> m_writePrompt;
  // The system menu's language submenu; the system menu owns it.
  HMENU m_languageMenu = nullptr;
  // What the last Result computed, while the result field shows it: other
  // decimals write this value, never the rounded text.
  std::optional<double> m_dResult;
  // Beside it, its exact value when there is one: written instead of it in
  // exact arithmetic, compared with it in the classic one. And the expression
  // both came from, computed again when the arithmetic is switched.
  std::optional<ExactValue> m_exactResult;
  CString m_strResultExpression;
  CExactMark m_exactMark;
  CExpressionEdit m_editExpression;  // keeps the expressions given to OnResult

  // Expressions given to OnResult that the history file has not taken yet, and
  // whether its trouble has been told (once a run).
  std::vector<std::string> m_arrUnsavedHistory;
  bool m_bHistoryProblemShown = false;
  CResultEdit m_editResult;
  // When the live result is worked out, the text it shows while it shows
  // one, and the value it stands for.
  LiveResultSchedule m_liveSchedule;
  std::optional<std::wstring> m_liveShown;
  std::optional<double> m_liveValue;
  CStringArray m_arrSettings;
  // The choices kept beside the settings file, read with it.
  Choices m_choices;
  CPrecisionSpin m_spinPrecision;
  CString m_strFormat;
  std::unique_ptr<CFont> m_pFont;
  int m_nPosX = 0;
  int m_nPosY = 0;
  bool m_bTopMost = false;
  CToolTipCtrl m_tipCtrl;
  CIcon m_hIconTop;
  CIcon m_hIconNoTop;
  // The buttons' font after a change of scale that the system left to the
  // program; until then they show the dialog font.
  CFont m_fontButtons;
  CButton m_btnTopMost;
  // The colours the window is drawn in, and the brushes of the dark mode.
  Look m_look = Look::kLight;
  CBrush m_brushGround;
  CBrush m_brushField;
  // Last in, first out: the controls' objects are detached before any member
  // their facts read goes, and long before the apartment ends.
  CAccessibleObjects m_accessibleObjects;
};
