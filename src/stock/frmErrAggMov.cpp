// The reversal error notice and the routine that fills and shows it.
#include "stock/frmErrAggMov.h"

#include "common/RisVid.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"
#include "stock/UtilMovim.h"

using ui::Controllo;
using ui::Tipo;

namespace {

ui::Carattere Car(double size) {
  ui::Carattere c;
  c.Name = "MS Sans Serif";
  c.Size = size;
  return c;
}

constexpr long kBlu = 0xFF0000;  // &H00FF0000& (BGR)

// Value labels: index, caption beside it, left, top, width.
struct Posto {
  int indice;
  const char* didascalia;
  long left, top, width;
};
constexpr Posto kPosti[] = {
    {10, "Movimento Numero:", 1980, 180, 855}, {20, "Del:", 5820, 180, 1095},
    {30, "Causale:", 1980, 540, 555},          {40, "Unità da: ", 1980, 900, 1155},
    {50, "Unità a: ", 5820, 900, 1155},        {60, "Listino:", 1980, 1320, 675},
    {70, "Moneta:", 5820, 1380, 675},          {80, "Cambio:", 7680, 1320, 1095},
    {90, "Articolo", 1980, 1800, 2355},        {100, "Quantità", 1980, 2220, 2355},
    {110, "Prezzo", 5760, 2280, 2355},         {120, "Importo", 5760, 2640, 2355},
    {130, "Qta agg magaz.", 1980, 3180, 2355}, {140, "Prezzo In Lire", 5760, 3240, 2355},
    {150, "Prezzo in Euro", 5760, 3600, 2355},
};

}  // namespace

frmErrAggMov::frmErrAggMov() : Form("frmErrAggMov") {
  SetCaption("Errore");
  // The client area of the design (the button ends at 6375) under a title.
  Move(0, 0, 9225, 6495 + 405);
  SetBorderStyle(3);
  for (const Posto& p : kPosti) {
    Controllo& l = Crea(Tipo::Label, "Lab", p.indice);
    l.Move(p.left, p.top, p.width, 285);
    l.SetBorderStyle(1);
    l.SetAlignment(2);
    l.SetForeColor(kBlu);
    Controllo& d = Crea(Tipo::Label, "Label1", p.indice);
    // The caption ends just left of its value label, as wide as the space
    // the value label before it on the line leaves.
    const long larga = p.left <= 1980 ? 1800 : p.left < 7000 ? 1320 : 1000;
    d.Move(p.left - 60 - larga, p.top, larga, 285);
    d.SetAlignment(1);
    d.SetCaption(p.didascalia);
  }
  Controllo& tit = Crea(Tipo::Label, "labErrore");
  tit.Move(1980, 4260, 5955, 375);
  tit.SetAlignment(2);
  tit.SetFont(Car(13.5));
  tit.SetCaption("Errore durante il disaggiornamento");
  Controllo& msg = Crea(Tipo::Label, "LabMsgErr");
  msg.Move(120, 4740, 8955, 945);
  msg.SetBorderStyle(1);
  msg.SetAlignment(2);
  msg.SetForeColor(kBlu);
  msg.SetFont(Car(12));
  msg.SetWordWrap(true);
  Controllo& b = Crea(Tipo::CommandButton, "comPresegui");
  b.Move(3840, 5880, 1455, 495);
  b.SetFont(Car(13.5));
  b.SetCaption("Prosegui");
}

void frmErrAggMov::Form_Load() {
  double fattore = -2;
  RisVid::ScalaForm(*this, 0, fattore);
}

void frmErrAggMov::Click(Controllo& c) {
  if (vb::UgualeTesto(c.Name(), "comPresegui")) comPresegui_Click();
}

void frmErrAggMov::comPresegui_Click() { Unload(); }

namespace UtilMovim {

void MostraErrAggMov(const std::string& pvMsg, const std::string& pvTitolo, dati::GestRecordset& pgRecordset,
                     const std::string& psChiaveTesta, const std::string& psChiaveRighe,
                     const std::string& psTabRighe) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  dati::GestRecordset& rs = pgRecordset;
  frmErrAggMov f;
  f.Load();
  f.SetCaption(pvTitolo);
  f.C("labErrore").SetCaption(pvTitolo);
  auto testo = [](const vb::Variant& v) { return servizi::Testo(v); };
  auto numero = [&fc](const vb::Variant& v) { return fc.Formatta(v.IsNull() ? vb::Variant(0.0) : v, "#,###.^^^^^^"); };
  auto qta = [&fc](const vb::Variant& v) {
    return fc.MascheraNum(v.IsNull() ? vb::Variant(0.0) : v, G().giNumDecQta, {}, false, "#,##0", 0, "", "^");
  };
  const std::string& kt = psChiaveTesta;
  const std::string r = psTabRighe + ".";
  const std::string& kr = psChiaveRighe;
  auto lab = [&f](int i, const std::string& v) { f.C("Lab", i).SetCaption(v); };
  lab(10, testo(rs.LeggiCampo(kt, "NumReg")));
  const vb::Variant data = rs.LeggiCampo(kt, "DataReg");
  lab(20, data.IsDateLike() ? fc.Formatta(data, G().gsFormatData) : testo(data));
  lab(30, testo(rs.LeggiCampo(kt, "MovMagtes.MagCausale")));
  lab(40, testo(rs.LeggiCampo(kt, "MagazzinoProv")));
  lab(50, testo(rs.LeggiCampo(kt, "MagazzinoDest")));
  lab(60, testo(rs.LeggiCampo(kt, "Listino")));
  lab(70, testo(rs.LeggiCampo(kt, "Moneta")));
  lab(80, numero(rs.LeggiCampo(kt, "Cambio")));
  lab(90, testo(rs.LeggiCampo(kr, "Articolo")));
  lab(100, qta(rs.LeggiCampo(kr, r + "Qta")));
  lab(110, numero(rs.LeggiCampo(kr, r + "ValUnitario")));
  lab(120, numero(rs.LeggiCampo(kr, r + "ValTotale")));
  lab(130, qta(rs.LeggiCampo(kr, r + "QtaAggMag")));
  lab(140, numero(rs.LeggiCampo(kr, r + "ValLire")));
  lab(150, numero(rs.LeggiCampo(kr, r + "ValEuro")));
  f.C("LabMsgErr").SetCaption(pvMsg);
  const int puntatore = ui::Screen().MousePointer;
  ui::Screen().MousePointer = 0;
  f.Show(1);
  ui::Screen().MousePointer = puntatore;
  if (f.Caricata()) f.Unload();
}

}  // namespace UtilMovim
