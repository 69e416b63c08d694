#include "TallywiseDlg.h"

#include <string>

#include "NumberWriting.h"
#include "TallywiseDlgIds.h"
#include "TextIds.h"
#include "UiLanguage.h"

// The icons are loaded with the window, at the sizes its scale asks for.
CTallywiseDlg::CTallywiseDlg(CWnd* parent, const WindowSystemCalls& systemCalls)
    : CDialog(IDD_TALLYWISE_DIALOG, parent), m_systemCalls(systemCalls) {}

void CTallywiseDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EXPRESSION, m_strExpression);
  DDX_Text(pDX, IDC_RESULT, m_strResult);
  DDX_Control(pDX, IDC_PRECISION, m_spinPrecision);
  DDX_Control(pDX, IDC_EXPRESSION, m_editExpression);
  DDX_Control(pDX, IDC_RESULT, m_editResult);
  DDX_Control(pDX, IDC_TOPMOST, m_btnTopMost);
}

// The tooltip sees the pointer only through this relay; the controls keep
// their own window procedures. The expression field's keys for other controls,
// and Enter's repeats, are taken before the dialog manager sees them.
BOOL CTallywiseDlg::PreTranslateMessage(MSG* msg) {
  m_tipCtrl.RelayEvent(msg);
  if (TranslateExpressionKey(*msg) || IsRepeatedEnter(*msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

BEGIN_MESSAGE_MAP(CTallywiseDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_RESULT_BUTTON, OnResult)
  ON_BN_CLICKED(IDC_TOPMOST, OnToggleTopMost)
  ON_NOTIFY(UDN_DELTAPOS, IDC_PRECISION, OnDeltaposPrecision)
  ON_CONTROL(EN_MAXTEXT, IDC_EXPRESSION, OnExpressionFull)
  ON_CONTROL(EN_CHANGE, IDC_EXPRESSION, OnExpressionChange)
  ON_WM_TIMER()
  ON_WM_CLOSE()
  ON_MESSAGE(WM_ENDSESSION, OnEndSession)
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_HELPINFO()
  ON_CONTROL_GETOBJECT(OnGetControlObject)
  ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
  ON_MESSAGE(WM_CTLCOLORDLG, OnCtlColorGround)
  ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorGround)
  ON_MESSAGE(WM_CTLCOLORBTN, OnCtlColorGround)
  ON_MESSAGE(WM_CTLCOLOREDIT, OnCtlColorField)
  ON_NOTIFY(NM_CUSTOMDRAW, IDC_RESULT_BUTTON, OnCustomDrawButton)
  ON_NOTIFY(NM_CUSTOMDRAW, IDC_TOPMOST, OnCustomDrawButton)
  ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
  ON_MESSAGE(WM_SYSCOLORCHANGE, OnSystemColoursChange)
  ON_MESSAGE(WM_THEMECHANGED, OnSystemColoursChange)
  ON_MESSAGE(HistoryClearedMessage(), OnHistoryCleared)
  ON_MESSAGE(kFaultBoxesClosed, OnFaultBoxesClosed)
END_MESSAGE_MAP()

// F1 opens no help: the program has none.
BOOL CTallywiseDlg::OnHelpInfo(HELPINFO*) { return TRUE; }

BOOL CTallywiseDlg::OnInitDialog() {
  MakeResultFieldUnicode();
  CDialog::OnInitDialog();
  m_tipCtrl.Create(this);
  AddToolTips();
  InitExactMark();
  m_pFont = std::make_unique<CFont>();
  m_nDpi = m_systemCalls.dpiForWindow(m_hWnd);
  NoteTemplateLayout();
  LoadSettings();
  UseUiLanguage(m_choices.language);
  LoadHistory();
  m_editExpression.SetFont(m_pFont.get());
  m_editResult.SetFont(m_pFont.get());
  KeepOwnFontOnDpiChange(m_editExpression);
  KeepOwnFontOnDpiChange(m_editResult);
  FitToFont();
  ExtendSystemMenu();
  ShowTexts();
  ShowIconsForDpi();
  FollowSystemLook();
  PlaceWindow();
  InitPrecision();
  return TRUE;  // the system puts the focus on the first tab stop, the expression field
}

void CTallywiseDlg::AddToolTips() {
  m_tipCtrl.AddTool(GetDlgItem(IDC_TOPMOST), LoadText(IDS_TIP_TOPMOST).c_str());
  m_tipCtrl.AddTool(GetDlgItem(IDC_PRECISION), LoadText(IDS_TIP_PRECISION).c_str());
  m_tipCtrl.AddTool(GetDlgItem(IDC_RESULT_BUTTON), LoadText(IDS_TIP_RESULT).c_str());
}

void CTallywiseDlg::InitPrecision() {
  m_spinPrecision.SetPos(GetDecimalCount(m_strFormat.str()));
  m_spinPrecision.SetRange(0, 9);
  ShowDecimalsInTip();
}

// Called wherever the number of decimals changes.
void CTallywiseDlg::ShowDecimalsInTip() {
  const int decimals = GetDecimalCount(m_strFormat.str());
  const std::wstring text = FormatText(LoadCountedText(IDS_TIP_DECIMALS, decimals), {std::to_wstring(decimals)});
  m_tipCtrl.UpdateTipText(text.c_str(), GetDlgItem(IDC_PRECISION));
}
