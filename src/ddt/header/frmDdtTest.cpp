#include "ddt/header/frmDdtTest.h"

#include "platform/Testo.h"

frmDdtTest::frmDdtTest() : ui::Form("frmDdtTest") { CreaControlli(); }

frmDdtTest::~frmDdtTest() = default;

barre::BarraRecord& frmDdtTest::ogComPag() {
  if (!barra_) barra_ = std::make_unique<barre::BarraRecord>();
  return *barra_;
}

void frmDdtTest::RilasciaBarra() { barra_.reset(); }

vb::Variant frmDdtTest::LeggiPerNome(const std::string& n) {
  if (vb::UgualeTesto(n, "osKeySec")) return msKeySec;
  if (vb::UgualeTesto(n, "osKeyLancia")) return osKeyLancia;
  if (vb::UgualeTesto(n, "osKeySecLancia")) return osKeySecLancia;
  if (vb::UgualeTesto(n, "osParamLancia")) return osParamLancia;
  if (vb::UgualeTesto(n, "osParam")) return osParam;
  if (vb::UgualeTesto(n, "oiLoadOk")) return oiLoadOk();
  if (vb::UgualeTesto(n, "oiInDett")) return oiInDett;
  if (vb::UgualeTesto(n, "oiAbilRW")) return oiAbilRW;
  if (vb::UgualeTesto(n, "olPosDett")) return olPosDett;
  if (vb::UgualeTesto(n, "osZona")) return osZona;
  if (vb::UgualeTesto(n, "odZonaSconto")) return odZonaSconto;
  if (vb::UgualeTesto(n, "odZonaScontoLire")) return odZonaScontoLire;
  if (vb::UgualeTesto(n, "olFormDettHeight")) return olFormDettHeight;
  if (vb::UgualeTesto(n, "olFormDettWidth")) return olFormDettWidth;
  if (vb::UgualeTesto(n, "olFormDettTop")) return olFormDettTop;
  if (vb::UgualeTesto(n, "olFormDettLeft")) return olFormDettLeft;
  return ui::Form::LeggiPerNome(n);
}

void frmDdtTest::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (vb::UgualeTesto(n, "osKeySec")) msKeySec = v.ToString();
  else if (vb::UgualeTesto(n, "osKeyLancia")) osKeyLancia = v.ToString();
  else if (vb::UgualeTesto(n, "osKeySecLancia")) osKeySecLancia = v.ToString();
  else if (vb::UgualeTesto(n, "osParamLancia")) osParamLancia = v.ToString();
  else if (vb::UgualeTesto(n, "osParam")) osParam = v.ToString();
  else if (vb::UgualeTesto(n, "oiAbilRW")) oiAbilRW = static_cast<int16_t>(v.ToInt());
  else if (vb::UgualeTesto(n, "oiInDett")) oiInDett = static_cast<int16_t>(v.ToInt());
  else if (vb::UgualeTesto(n, "olPosDett")) olPosDett = static_cast<int32_t>(v.ToLong());
  else if (vb::UgualeTesto(n, "olFormDettHeight")) olFormDettHeight = static_cast<int32_t>(v.ToLong());
  else if (vb::UgualeTesto(n, "olFormDettWidth")) olFormDettWidth = static_cast<int32_t>(v.ToLong());
  else if (vb::UgualeTesto(n, "olFormDettTop")) olFormDettTop = static_cast<int32_t>(v.ToLong());
  else if (vb::UgualeTesto(n, "olFormDettLeft")) olFormDettLeft = static_cast<int32_t>(v.ToLong());
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmDdtTest::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  // The bar passes (0) the code, (1) pvRit, then pvArray.
  if (vb::UgualeTesto(n, "PersPagPri") || vb::UgualeTesto(n, "PersPagDop")) {
    a.resize(std::max<size_t>(a.size(), 2));
    std::vector<vb::Variant> arr(a.begin() + 2, a.end());
    const int16_t op = static_cast<int16_t>(a[0].ToInt());
    vb::Variant r = vb::UgualeTesto(n, "PersPagPri") ? PersPagPri(op, a[1], arr) : PersPagDop(op, a[1], arr);
    std::copy(arr.begin(), arr.end(), a.begin() + 2);
    // The deletion's transaction ends with its after hook, in every case.
    if (op == 16 && vb::UgualeTesto(n, "PersPagDop")) DopoCancella(a[1]);
    return r;
  }
  if (vb::UgualeTesto(n, "ButtonComando")) {
    ButtonComando(a.empty() ? std::string() : a[0].ToString());
    return {};
  }
  if (vb::UgualeTesto(n, "PassaA")) {
    PassaA();
    return {};
  }
  if (vb::UgualeTesto(n, "ChiudiFrm")) {
    ChiudiFrm();
    return {};
  }
  if (vb::UgualeTesto(n, "MenuFrm")) {
    MenuFrm();
    return {};
  }
  if (vb::UgualeTesto(n, "DopoGestDettaglio")) {
    DopoGestDettaglio(a.size() > 0 && a[0].ToBool(), a.size() > 1 && a[1].ToBool());
    return {};
  }
  if (vb::UgualeTesto(n, "DopoGestSpese")) {
    DopoGestSpese();
    return {};
  }
  if (vb::UgualeTesto(n, "txt_KeyUp")) {
    // The simulated key of a field button: (0) the field, (1) the key, (2) Shift.
    a.resize(std::max<size_t>(a.size(), 3));
    int tasto = a[1].ToInt();
    txt_KeyUp(a[0].ToInt(), tasto, a[2].ToInt());
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

ui::Oggetto* frmDdtTest::OggettoPerNome(const std::string& n) {
  if (vb::UgualeTesto(n, "ogComPag")) return &ogComPag();
  return ui::Form::OggettoPerNome(n);
}

frmDdtTest& FrmDdtTest() {
  static frmDdtTest f;
  return f;
}

// ---------------------------------------------------------------- events
// Each event goes to the procedure of its control array.

void frmDdtTest::Click(ui::Controllo& c) {
  const std::string& n = c.Name();
  if (vb::UgualeTesto(n, "che")) che_Click(c.Index());
  else if (vb::UgualeTesto(n, "cob")) Cob_Click(c.Index());
  else if (vb::UgualeTesto(n, "ComHlp")) ComHlp_Click(c.Index());
  else if (vb::UgualeTesto(n, "ComAnno")) ComAnno_Click(c.Index());
  else if (vb::UgualeTesto(n, "TasPagine")) TasPagine_Click();
  else if (vb::UgualeTesto(n, "ComPosizFat")) ComPosizFat_Click();
}

void frmDdtTest::DblClick(ui::Controllo& c) {
  if (vb::UgualeTesto(c.Name(), "dbgDett")) dbgdett_DblClick();
}

void frmDdtTest::Change(ui::Controllo& c) {
  if (vb::UgualeTesto(c.Name(), "txt")) txt_Change(c.Index());
}

void frmDdtTest::GotFocus(ui::Controllo& c) {
  if (!vb::UgualeTesto(c.Name(), "txt")) return;
  miTxtEntrato = c.Index();
  txt_GotFocus(c.Index());
}

void frmDdtTest::LostFocus(ui::Controllo& c) {
  if (!vb::UgualeTesto(c.Name(), "txt")) return;
  // A box the focus passed through without entering it (a decoder moved
  // the focus on while the user's own move was under way) has nothing of
  // the user's to check.
  if (c.Index() != miTxtEntrato) return;
  miTxtEntrato = -1;
  txt_LostFocus(c.Index());
}

void frmDdtTest::KeyDown(ui::Controllo& c, int& KeyCode, int Shift) {
  if (vb::UgualeTesto(c.Name(), "cob")) cob_KeyDown(c.Index(), KeyCode, Shift);
}

void frmDdtTest::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  if (vb::UgualeTesto(c.Name(), "txt")) txt_KeyUp(c.Index(), KeyCode, Shift);
  else if (vb::UgualeTesto(c.Name(), "che")) Che_KeyUp(c.Index(), KeyCode, Shift);
}

void frmDdtTest::MouseDown(ui::Controllo& c, int Button, int Shift, float X, float Y) {
  if (vb::UgualeTesto(c.Name(), "che")) Che_MouseDown(c.Index(), Button, Shift, X, Y);
}

void frmDdtTest::Timer(ui::Controllo& c) {
  if (vb::UgualeTesto(c.Name(), "timComPag")) timComPag_Timer();
  else if (vb::UgualeTesto(c.Name(), "TimDupl")) TimDupl_Timer();
}

void frmDdtTest::ButtonClick(ui::Controllo& barra, const std::string& key) {
  if (vb::UgualeTesto(barra.Name(), "tolComPag")) ButtonComando(key);
}
