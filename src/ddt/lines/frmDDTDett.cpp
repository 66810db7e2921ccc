#include "ddt/lines/frmDDTDett.h"

#include <algorithm>
#include <exception>

#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Griglia.h"

namespace {
std::unique_ptr<frmDDTDett>& Unica() {
  static std::unique_ptr<frmDDTDett> f;
  return f;
}
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }
}  // namespace

frmDDTDett::frmDDTDett() : ui::Form("frmDDTDett") { CreaControlli(); }

frmDDTDett::~frmDDTDett() = default;

frmDDTDett& frmDDTDett::Istanza() {
  if (!Unica()) Unica() = std::make_unique<frmDDTDett>();
  return *Unica();
}

bool frmDDTDett::Creata() { return Unica() != nullptr; }

void frmDDTDett::Rilascia() {
  if (Unica() && Unica()->Caricata()) Unica()->Unload();
  Unica().reset();
}

barre::gridlib::PaginaRighe& frmDDTDett::ogLinPag() {
  if (!mpLinPag) mpLinPag = std::make_unique<barre::gridlib::PaginaRighe>();
  return *mpLinPag;
}

void frmDDTDett::Apri(ProtSottoForm& pOpener, const ParDettaglio& pPar) {
  mpOpener = &pOpener;
  const int16_t abil = pPar.oiAbilRW;
  static_cast<ParDettaglio&>(*this) = pPar;
  oiAbilRW = 1;
  Load();
  SetoiAbilRW(abil);
}

ui::Griglia& frmDDTDett::dbgRiga() const { return static_cast<ui::Griglia&>(C("dbgRiga")); }
ui::DatiControllo& frmDDTDett::datRiga() const { return static_cast<ui::DatiControllo&>(C("datRiga")); }

const std::string& frmDDTDett::NomeCampo(int n) const {
  static const std::string vuoto;
  return n >= 0 && n < static_cast<int>(masNomeCampo.size()) ? masNomeCampo[static_cast<size_t>(n)] : vuoto;
}

int16_t frmDDTDett::AnnoDoc() const {
  return vb::FunzioniComuni::Istanza().ValInt(vb::Variant(txt(600).Text()), true, true);
}
int32_t frmDDTDett::NumRifDoc() const {
  return vb::FunzioniComuni::Istanza().ValLong(vb::Variant(txt(610).Text()), true, true);
}

// ---- events of the control model

void frmDDTDett::Click(ui::Controllo& c) {
  const std::string& n = c.Name();
  // An error of a click is shown here: it never leaves the event (a list or
  // a box set by code clicks too, inside the procedure that set it).
  try {
    if (Nome(n, "ComTipoRiga")) ComTipoRiga_Click(c.Index());
    else if (Nome(n, "cob")) Cob_Click(c.Index());
    else if (Nome(n, "che")) che_Click(c.Index());
    else if (Nome(n, "com")) com_Click(c.Index());
    else if (Nome(n, "ComTipoRic")) ComTipoRic_Click();
    else if (Nome(n, "TasPagine")) TasPagine_Click();
    else if (Nome(n, "ComPartLotti")) ComPartLotti_Click();
    else if (Nome(n, "TextSpost")) TextSpost_Click(c.Index());
    else if (Nome(n, "ComHlp")) ComHlp_Click(c.Index());
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDDTDett::KeyDown(ui::Controllo& c, int& KeyCode, int Shift) {
  if (Nome(c.Name(), "cob")) cob_KeyDown(c.Index(), KeyCode, Shift);
}

void frmDDTDett::DblClick(ui::Controllo& c) {
  if (Nome(c.Name(), "dbgRiga")) dbgRiga_DblClick();
}

void frmDDTDett::GotFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txt")) txt_GotFocus(c.Index());
  else if (Nome(c.Name(), "TextSpost")) TextSpost_GotFocus(c.Index());
  else if (Nome(c.Name(), "txtRiga")) txtRiga_GotFocus();
}

void frmDDTDett::LostFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txt")) txt_LostFocus(c.Index());
}

void frmDDTDett::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  if (Nome(c.Name(), "txt")) txt_KeyUp(c.Index(), KeyCode, Shift);
}

void frmDDTDett::Timer(ui::Controllo& c) {
  if (Nome(c.Name(), "timLinPag")) timLinPag_Timer();
}

void frmDDTDett::ButtonClick(ui::Controllo& barra, const std::string& key) {
  if (Nome(barra.Name(), "tolLinPag")) tollinPag_ButtonClick(key);
}

void frmDDTDett::RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) {
  if (Nome(g.Name(), "dbgRiga")) dbgRiga_RowColChange(LastRow, LastCol);
}

void frmDDTDett::SelChange(ui::Controllo& g, int& Cancel) {
  if (Nome(g.Name(), "dbgRiga")) dbgRiga_SelChange(Cancel);
}

// ---- by name: the page and the keyboard framework call these

vb::Variant frmDDTDett::LeggiPerNome(const std::string& n) {
  if (Nome(n, "oiAbilRW")) return oiAbilRW;
  if (Nome(n, "osParam")) return osParam;
  if (Nome(n, "oiLivelliCrea")) return oiLivelliCrea;
  if (Nome(n, "osSegnalGiac")) return osSegnalGiac;
  if (Nome(n, "oiInDeLiv")) return oiInDeLiv;
  if (Nome(n, "obInRichMatr")) return obInRichMatr;
  return ui::Form::LeggiPerNome(n);
}

void frmDDTDett::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "oiAbilRW")) SetoiAbilRW(static_cast<int16_t>(v.ToInt()));
  else if (Nome(n, "osParam")) osParam = v.ToString();
  else if (Nome(n, "oiLivelliCrea")) oiLivelliCrea = static_cast<int16_t>(v.ToInt());
  else if (Nome(n, "osSegnalGiac")) osSegnalGiac = v.ToString();
  // The serial question ends the line window's wait by this name.
  else if (Nome(n, "obInRichMatr")) obInRichMatr = v.ToBool();
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmDDTDett::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  if (Nome(n, "PersLPaPri") || Nome(n, "PersLPaDop")) {
    a.resize(std::max<size_t>(a.size(), 2));
    std::vector<vb::Variant> arr(a.begin() + 2, a.end());
    const int op = static_cast<int>(a[0].ToInt());
    vb::Variant r = Nome(n, "PersLPaPri") ? PersLPaPri(op, a[1], arr) : PersLPaDop(op, a[1], arr);
    std::copy(arr.begin(), arr.end(), a.begin() + 2);
    return r;
  }
  if (Nome(n, "ButtonComando")) return ButtonComando(a.empty() ? std::string() : a[0].ToString());
  if (Nome(n, "ChiudiFrm")) {
    ChiudiFrm();
    return {};
  }
  if (Nome(n, "MenuFrm")) {
    MenuFrm();
    return {};
  }
  // The discount rules re-read the list price of the line by this name.
  if (Nome(n, "CercaPrezzo")) {
    CercaPrezzo();
    return {};
  }
  if (Nome(n, "RicUltNum")) return RicUltNum();
  if (Nome(n, "txt_KeyUp")) {
    // The look-up buttons replay F2 on their field through here.
    a.resize(std::max<size_t>(a.size(), 3));
    int tasto = static_cast<int>(a[1].ToInt());
    txt_KeyUp(static_cast<int>(a[0].ToInt()), tasto, static_cast<int>(a[2].ToInt()));
    return {};
  }
  if (Nome(n, "PrepSql")) return PrepSql();
  if (Nome(n, "DatRefresh")) {
    DatRefresh();
    return {};
  }
  if (Nome(n, "PersColonne")) {
    PersColonne();
    return {};
  }
  // The callbacks of the accrual and language-note dialogs.
  if (Nome(n, "DopoCompetenza")) {
    DopoCompetenza();
    return {};
  }
  if (Nome(n, "DopoChiediNotaLingua")) {
    DopoChiediNotaLingua();
    return {};
  }
  // The layout chooser's callback.
  if (Nome(n, "DopoSceIniLetFile")) {
    DopoSceIniLetFile(a.empty() ? std::string() : a[0].ToString());
    return {};
  }
  // The callbacks of the serial, split and batch/lot windows.
  if (Nome(n, "DopoGestMatricole")) {
    DopoGestMatricole();
    return {};
  }
  if (Nome(n, "DopoPartLotti")) {
    DopoPartLotti();
    return {};
  }
  if (Nome(n, "DopoCercaPartita")) {
    DopoCercaPartita(!a.empty() && a[0].ToBool());
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

ui::Oggetto* frmDDTDett::OggettoPerNome(const std::string& n) {
  if (Nome(n, "ogLinPag")) return mpLinPag.get();
  return ui::Form::OggettoPerNome(n);
}
