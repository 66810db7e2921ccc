#include "expenses/frmSpeseDoc.h"

#include <algorithm>
#include <exception>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/UtilClient.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/barre/frmImgComPag.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

struct Bottone {
  const char* key;
  const char* caption;
  const char* tooltip;
};

// The toolbar: each tooltip opens with the letter of its Alt accelerator.
const Bottone kBottoni[] = {
    {"Nuovo", "Nuovo", "(N) Nuovo"},
    {"Salva", "Salva", "(S) Salva"},
    {"Cancella", "Cancella", "(C) Cancella"},
    {"Annulla", "Annulla", "(A) Annulla"},
    {"-1", "", ""},
    {"Punta", "Punta", "(B) Puntatore"},
    {"VaiA", "Vai a", "(K) Vai a"},
    {"Inizio", "Inizio", "(I) Inizio Archivio"},
    {"Posiz", "", ""},
    {"Fine", "Fine", "(F) Fine Archivio"},
    {"Aggiorna", "Aggiorna", "(G) Aggiorna"},
    {"Trova", "Trova", "(T) Trova"},
    {"Stampa", "Stampa", "(P) Stampa"},
    {"-2", "", ""},
    {"Chiudi", "Chiudi", "(H) Chiudi"},
    {"Menu", "Menu", "(M) Menu"},
    {"-3", "", ""},
    {"SpeseClie", "Spese Cliente", "(E) spEse Cliente"},
};

}  // namespace

frmSpeseDoc::frmSpeseDoc() : ui::Form("frmSpeseDoc") {
  CreaControlli();
  miAbilRW = 1;
}

frmSpeseDoc::~frmSpeseDoc() { comlin_.reset(); }

frmSpeseDoc& FrmSpeseDoc() {
  static frmSpeseDoc f;
  return f;
}

barre::rowlib::ComandiLista& frmSpeseDoc::ogComlin() {
  if (!comlin_) comlin_ = std::make_unique<barre::rowlib::ComandiLista>();
  return *comlin_;
}

ui::Griglia& frmSpeseDoc::dbgRiga() const { return static_cast<ui::Griglia&>(C("dbgRiga")); }

// ---------------------------------------------------------------- controls

void frmSpeseDoc::CreaControlli() {
  SetCaption("Spese");
  Move(0, 0, 11520, 5400);
  SetHelpContextID(31330);

  auto& tol = Crea(ui::Tipo::Toolbar, "tolComlin");
  tol.Move(0, 0, 11400, 420);
  for (const Bottone& b : kBottoni) {
    if (b.key[0] == '-') {
      tol.AggiungiElemento(b.key, {}, ui::tbrSeparator);
      continue;
    }
    ui::Elemento& e = tol.AggiungiElemento(b.key, b.caption);
    e.ToolTipText = b.tooltip;
    e.Image = b.key;
    e.Visible = std::string(b.key) != "Posiz";
  }

  auto& dat = Crea<ui::DatiControllo>(ui::Tipo::Data, "DatRiga");
  dat.SetVisible(false);
  auto& dbg = Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga");
  dbg.Move(0, 480, 11400, 4000);
  auto& riga = Crea(ui::Tipo::TextBox, "txtRiga");
  riga.Move(0, 4540, 1500, 330);
  riga.SetText("99999 / 99999");
  riga.SetAlignment(2);
  riga.SetLocked(true);
  riga.SetTabStop(false);

  Crea(ui::Tipo::ImageList, "ImagePiccole").SetVisible(false);
  Crea(ui::Tipo::ImageList, "ImageGrandi").SetVisible(false);
  for (const char* nome : {"timVarie", "timResize"}) {
    auto& t = Crea(ui::Tipo::Timer, nome);
    t.SetEnabled(false);
    t.SetInterval(1);
  }
}

// ---------------------------------------------------------------- opening

void frmSpeseDoc::TabellaStd(const std::string& psNomeLin, const std::string&, int16_t, bool pbAbilita, bool) {
  const std::string& t = psNomeLin;
  const auto& fc = FC();
  std::string sql = "SELECT Anno,NumRif,Riga, " + t + ".Spesa, Spese.Descrizione, Spese.TipoAddebito";
  for (const char* c : {".Iva", ".Importo", ".Percentuale", ".ImportoMin", ".ImportoMax"}) sql += ", " + t + c;
  sql += ", " + t + ".SoggRitAcc FROM Spese INNER JOIN " + t + " ON Spese.Spesa = " + t + ".Spesa" +
         " WHERE anno = " + fc.ValoreSql(vb::Variant(fc.ValInt(vb::Variant(osAnnoRif), true, true)), vb::vbInteger) +
         " and NumRif = " +
         fc.ValoreSql(vb::Variant(static_cast<int>(fc.ValDouble(vb::Variant(osNumRif), true))), vb::vbLong);
  msSql = sql;
  miNumKey = 3;
  // Everything the load reads is set by now: showing the window loads it.
  if (pbAbilita) vb::FunzioniComuniUi::PosizForm(*this, -1, 0);
}

void frmSpeseDoc::Form_Load() {
  const Globali& g = G();
  SetHelpContextID(31330);
  SetCaption("Spese" + osCaption);
  msCaptionForm = Caption();
  miStatoLoad = -1;
  try {
    AziendaUtil::CaricaFormPri(*this, 0, -1, 0, 0, 0, 0, -1, 0, -1, "");
    mbCassaPrevNoImpon =
        Uguale(vb::UCase(servizi::Testo(servizi::ParPers("Tutti", "CassaPrevNoImpon", ""))), "S");
    msCassaPrevSpesa.clear();
    SetKeyPreview(true);
    mbInAiuto = false;
    mbComandiAbil = true;
    miAzioneTimer = 0;
    msTastoCorr.clear();
    mbInModifica = false;
    DimenticaRiga();
    msBookmark.clear();

    auto& cl = ogComlin();
    cl.Form(*this);
    cl.BarraStrumenti(C("tolComlin"));
    cl.TestoContaRighe(C("txtRiga"));
    cl.Griglia(dbgRiga());
    cl.ControlloDati(static_cast<ui::DatiControllo&>(C("DatRiga")));
    if (!g.goDbAzienda) vb::Solleva(91, "Database della ditta non aperto");
    cl.DatabaseDao(*g.goDbAzienda, g.gsConnAzienda);
    cl.FormatoData(g.gsFormatData);
    cl.LeggiImpostazioneB(false);
    ui::Controllo& immagini = C("ImagePiccole");
    if (immagini.NumElementi() == 0)
      for (const Bottone& b : kBottoni)
        if (b.key[0] != '-') immagini.AggiungiElemento(b.key).Image = barre::frmImgComPag::Immagine(b.key);
    cl.ImpImmagini(g.gsTipoIcone, &immagini, &C("ImageGrandi"));

    ui::Controllo& tol = C("tolComlin");
    ui::Elemento& clie = tol.Elem("SpeseClie");
    clie.Image = immagini.Name() + ":SpeseClie";
    const bool conSpesa = !FC().Vuoto(vb::Variant(osSpesa));
    clie.Enabled = conSpesa;
    clie.Visible = conSpesa;
    tol.ElementoCambiato();

    if (g.goContesto) cl.Contesto(*g.goContesto);
    cl.NumChiave(miAbilRW);
    cl.ImpSql(msSql, vb::Variant(), false, true);
    for (int i = 0; i < miNumKey; ++i) cl.LeggiImpostazioneA(i);
    if (oiColFisse > 0) cl.ColonneFisse(oiColFisse);
    std::string a, b;
    cl.Riapri(a, b);
    C("txtRiga").SetText(a + " / " + b);
    AziendaUtil::CaricaFormDop(*this, 0, -1, 0, 0, 0, 0, 0, -1);
    miStatoLoad = 1;
  } catch (...) {
    UtilClient::MsgErrMenu(vb::Missing, vb::Missing, msCaptionForm + "\n");
    G().gbNoRitornoMenu = true;
    miStatoLoad = -1;
  }
}

// ---------------------------------------------------------------- closing

void frmSpeseDoc::Form_Unload(int& Cancel) {
  // A window that never finished loading asks nobody and calls nobody back:
  // its opener sees the failed load and takes its document back itself.
  if (miStatoLoad != 1) {
    comlin_.reset();
    return;
  }
  if (comlin_ && !comlin_->PuoChiudere()) {
    Cancel = 1;
    return;
  }
  comlin_.reset();
  miStatoLoad = -1;
  for (const char* t : {"timVarie", "timResize"}) C(t).SetEnabled(false);
  mainDdt::ChiudiProgramma(0);
  // The opener is called back only while it is still a loaded window.
  ui::Form* apritore = ofrmTest;
  ofrmTest = nullptr;
  const auto& aperte = ui::Forms();
  if (apritore && std::find(aperte.begin(), aperte.end(), apritore) != aperte.end()) {
    std::vector<vb::Variant> nessuno;
    apritore->ChiamaPerNome("DopoGestSpese", nessuno);
  }
}

void frmSpeseDoc::ChiudiFrm() { Unload(); }

void frmSpeseDoc::MenuFrm() { mainDdt::MostraMenu(); }

int frmSpeseDoc::oiStaAtt() const { return G().giStaAtt; }

void frmSpeseDoc::SetoiStaAtt(int piStaAtt) { G().giStaAtt = static_cast<int16_t>(piStaAtt); }

void frmSpeseDoc::SetoiAbilRW(int16_t v) {
  miAbilRW = v;
  try {
    if (comlin_) comlin_->NumChiave(v);
  } catch (...) {
  }
}

void frmSpeseDoc::SetovfrmBookmark(const std::string& psBookmark) {
  msBookmark = psBookmark;
  ui::Controllo& tol = C("tolComlin");
  if (tol.HaElem("VaiA")) {
    tol.Elem("VaiA").Enabled = !psBookmark.empty();
    tol.ElementoCambiato();
  }
}

// ---------------------------------------------------------------- columns

std::string frmSpeseDoc::NomeColonna(int piCol) const {
  ui::Griglia& g = dbgRiga();
  if (piCol < 0 || piCol >= g.NumColonne()) return {};
  return g.Colonna(piCol).DataField;
}

int frmSpeseDoc::Colonna(const std::string& psCampo) const {
  ui::Griglia& g = dbgRiga();
  for (int i = 0; i < g.NumColonne(); ++i)
    if (vb::UgualeTesto(g.Colonna(i).DataField, psCampo)) return i;
  return -1;
}

vb::Variant frmSpeseDoc::ovField(int piColIndex, const std::string& psProprieta) {
  const std::string p = vb::LCase(psProprieta);
  auto predefinito = [&]() -> vb::Variant {
    if (p == "type") return vb::Variant(10);
    if (p == "name" || p == "sourcefield" || p == "sourcetable") return vb::Variant(std::string());
    if (p == "dataupdatable") return vb::Variant(false);
    if (p == "size" || p == "fieldsize") return vb::Variant(0);
    return {};
  };
  try {
    dati::Recordset* rs = comlin_ ? comlin_->Recordset() : nullptr;
    const std::string campo = NomeColonna(piColIndex);
    if (!rs || campo.empty()) return predefinito();
    const int i = rs->Indice(campo);
    if (i < 0) return predefinito();
    const auto& c = rs->Campo(i);
    if (p == "type") return vb::Variant(static_cast<int>(c.tipo));
    if (p == "name" || p == "sourcefield") return vb::Variant(c.nome);
    if (p == "sourcetable") return vb::Variant(c.tabellaBase);
    if (p == "dataupdatable") return vb::Variant(rs->Aggiornabile() && vb::UgualeTesto(c.tabellaBase, G().gsTabSpese));
    if (p == "size") return vb::Variant(0);
    if (p == "fieldsize") return vb::Variant(vb::FunzioniComuniUi::ValCampo(*rs, campo));
    return {};
  } catch (...) {
    return predefinito();
  }
}

std::string frmSpeseDoc::ColToSourceField(int piColIndex) { return NomeColonna(piColIndex); }

void frmSpeseDoc::PersColonne() {
  auto& cl = ogComlin();
  ui::Griglia& g = dbgRiga();
  const std::string& fmt = osNumDecMon;
  cl.DefinisciColonna("Spesa", 700);
  cl.DefinisciColonna("Descrizione", 2500);
  cl.ColonnaAiuto("Descrizione");
  cl.DefinisciColonna("TipoAddebito", 300);
  cl.ColonnaAiuto("TipoAddebito");
  cl.DefinisciColonna("Iva", 1200);
  if (!FC().Vuoto(vb::Variant(osIvaTest))) cl.ColonnaAiuto("Iva");
  cl.DefinisciColonna("Importo", 1400, fmt);
  cl.DefinisciColonna("Percentuale", 1000, "###.##");
  cl.DefinisciColonna("ImportoMin", 1400, fmt);
  cl.DefinisciColonna("ImportoMax", 1400, fmt);
  cl.DefinisciColonna("SoggRitAcc", 700);
  // A help column is not typed into: the description and kind are the
  // master's, the VAT code the header's when it has one.
  for (int i = 0; i < g.NumColonne(); ++i) {
    ui::ColonnaGriglia& c = g.Colonna(i);
    c.Locked = c.Tag == "Aiuto";
    // The look-up button of the cell.
    if (Uguale(c.DataField, "Spesa") || Uguale(c.DataField, "Iva")) c.Tag = c.Locked ? "Aiuto;Bottone" : "Bottone";
  }
  for (const char* n : {"Anno", "NumRif", "Riga"}) cl.ColonnaNascosta(n, 0, 0);
  g.SetRowHeight(255);
  g.ColonnaCambiata();
}

void frmSpeseDoc::DatRefresh() {
  ogComlin().FormatGriglia(true, "M", 0, "dd/mm/yyyy");
  PersColonne();
}

// ---------------------------------------------------------------- commands

void frmSpeseDoc::ButtonComando(const std::string& psKey) {
  msTastoCorr = psKey;
  mbComandiAbil = true;
  ui::Griglia& g = dbgRiga();
  // A cell being typed into is left first: its check runs and may stop the
  // command.
  if (mbInModifica) {
    const int c = g.Col();
    const int n = g.NumColonne();
    int primaVisibile = 0;
    while (primaVisibile < n && !g.Colonna(primaVisibile).Visible) ++primaVisibile;
    const vb::Variant testo(msTestoModifica);
    mbInModifica = false;
    if (DatoCambiato(c) || testo.ToString() != g.TestoCella(c)) g.ScriviCella(c, testo);
    const int altra = (c >= n - 1 || primaVisibile < c) ? FC().Massimo({vb::Variant(c - 1), vb::Variant(0)}).ToInt()
                                                        : FC().Minimo({vb::Variant(c + 1), vb::Variant(n - 1)}).ToInt();
    if (altra >= 0 && altra < n) g.SetCol(altra);
    if (c >= 0 && c < n) g.SetCol(c);
  }
  try {
    if (mbComandiAbil) {
      if (Uguale(psKey, "SpeseClie")) {
        AggSpesaClie();
      } else if (Uguale(psKey, "Nuovo")) {
        ogComlin().EseguiTasto("Nuovo", Colonna("Spesa"), false);
      } else {
        const bool annulla = Uguale(psKey, "Annulla");
        ogComlin().EseguiTasto(psKey, -1, false);
        if (annulla) DimenticaRiga();
      }
    }
  } catch (...) {
    msTastoCorr.clear();
    throw;
  }
  msTastoCorr.clear();
}

vb::Variant frmSpeseDoc::ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& a) {
  if (Uguale(nome, "ButtonComando")) {
    ButtonComando(a.empty() ? std::string() : a[0].ToString());
    return {};
  }
  if (Uguale(nome, "ChiudiFrm")) {
    ChiudiFrm();
    return {};
  }
  if (Uguale(nome, "MenuFrm")) {
    MenuFrm();
    return {};
  }
  if (Uguale(nome, "PassaA")) return {};
  if (Uguale(nome, "DatRefresh")) {
    DatRefresh();
    return {};
  }
  if (Uguale(nome, "PersColonne")) {
    PersColonne();
    return {};
  }
  return ui::Form::ChiamaPerNome(nome, a);
}

// The members the form framework reads and writes by name.
vb::Variant frmSpeseDoc::LeggiPerNome(const std::string& n) {
  if (Uguale(n, "osKeySec")) return msKeySec;
  if (Uguale(n, "osParam")) return osParam;
  if (Uguale(n, "oiAbilRW")) return miAbilRW;
  if (Uguale(n, "osSql")) return msSql;
  if (Uguale(n, "oiNumKey")) return miNumKey;
  if (Uguale(n, "ovfrmBookmark")) return msBookmark;
  if (Uguale(n, "oiStaAtt")) return static_cast<int16_t>(oiStaAtt());
  if (Uguale(n, "oiLoadOk")) return miStatoLoad;
  if (Uguale(n, "osKeyLancia")) return osKeyLancia;
  if (Uguale(n, "osKeySecLancia")) return osKeySecLancia;
  if (Uguale(n, "osParamLancia")) return osParamLancia;
  if (Uguale(n, "osKeyAttivazione")) return osKeyAttivazione;
  return ui::Form::LeggiPerNome(n);
}

void frmSpeseDoc::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Uguale(n, "osKeySec")) msKeySec = v.ToString();
  else if (Uguale(n, "osParam")) osParam = v.ToString();
  else if (Uguale(n, "oiAbilRW")) SetoiAbilRW(static_cast<int16_t>(v.ToInt()));
  else if (Uguale(n, "osSql")) msSql = v.ToString();
  else if (Uguale(n, "oiNumKey")) miNumKey = static_cast<int16_t>(v.ToInt());
  else if (Uguale(n, "ovfrmBookmark")) SetovfrmBookmark(v.ToString());
  else if (Uguale(n, "oiStaAtt")) SetoiStaAtt(v.ToInt());
  else if (Uguale(n, "osKeyLancia")) osKeyLancia = v.ToString();
  else if (Uguale(n, "osKeySecLancia")) osKeySecLancia = v.ToString();
  else if (Uguale(n, "osParamLancia")) osParamLancia = v.ToString();
  else if (Uguale(n, "osKeyAttivazione")) osKeyAttivazione = v.ToString();
  else ui::Form::ScriviPerNome(n, v);
}

ui::Oggetto* frmSpeseDoc::OggettoPerNome(const std::string& n) {
  if (Uguale(n, "ogComlin")) return &ogComlin();
  return ui::Form::OggettoPerNome(n);
}

// ---------------------------------------------------------------- keys

void frmSpeseDoc::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this, 0, -1); }

void frmSpeseDoc::Form_KeyDown(int& KeyCode, int Shift) {
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, -1, 0, 0, 0, 0, 0, false, true) > 0) return;
  if (Shift == 4 && comlin_) {
    const std::string k = comlin_->ComandoDaTasto(KeyCode);
    ui::Controllo& tol = C("tolComlin");
    if (!k.empty() && tol.HaElem(k) && tol.Elem(k).Enabled && tol.Elem(k).Visible) {
      KeyCode = 0;
      ButtonComando(k);
      return;
    }
    // A command that is hidden or off answers nothing, not the bars' keys.
    if (!k.empty()) {
      KeyCode = 0;
      return;
    }
  }
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, -1, 0, 0, 0, 0, 0, tasto, tastoAlt, true);
}

void frmSpeseDoc::KeyDown(ui::Controllo& c, int& KeyCode, int Shift) {
  if (&c == &C("dbgRiga")) dbgRiga_KeyDown(KeyCode, Shift);
}

void frmSpeseDoc::dbgRiga_KeyDown(int& KeyCode, int Shift) {
  (void)Shift;
  mbComandiAbil = true;
  ui::Griglia& g = dbgRiga();
  const int col = g.Col();
  const std::string testo = mbInModifica ? msTestoModifica : g.TestoCella(col);
  // Outside the editor the grid selects the whole cell.
  const std::string selez = mbInModifica ? msSelezModifica : testo;
  switch (KeyCode) {
    case 13:
      if (mbInModifica) {
        mbInModifica = false;
        if (msTestoModifica != g.TestoCella(col)) g.ScriviCella(col, vb::Variant(msTestoModifica));
      }
      break;
    case 46:
      if (selez == testo) {
        KeyCode = 0;
        mbInModifica = false;
        ButtonComando("Cancella");
      }
      break;
    case 27: {
      const std::string n = NomeColonna(col);
      if (DatoCambiato(col) && (Uguale(n, "Spesa") || Uguale(n, "Iva"))) DatiValidi(col, false, true);
      break;
    }
    case 114:
    case 113:
      if (KeyCode == 114 || vb::Trim(testo).empty() || testo != selez) {
        mbInAiuto = true;
        try {
          DecodHelp(col, KeyCode);
        } catch (...) {
          mbInAiuto = false;
          throw;
        }
        mbInAiuto = false;
      }
      break;
    default:
      break;
  }
}

void frmSpeseDoc::ModificaCella(const std::string& psTesto, const std::string& psSelezionato) {
  mbInModifica = true;
  msTestoModifica = psTesto;
  msSelezModifica = psSelezionato;
}

// ---------------------------------------------------------------- grid events

void frmSpeseDoc::AfterColUpdate(ui::Controllo&, int ColIndex) {
  mCambiate.insert(ColIndex);
  ogComlin().DopoAggCol(ColIndex);
}

void frmSpeseDoc::dbgRiga_AfterDelete() {
  DimenticaRiga();
  miAzioneTimer = 1;
  ArmaTimer("timVarie");
}

void frmSpeseDoc::dbgRiga_BeforeColEdit(int ColIndex, int KeyAscii, int& Cancel) {
  ogComlin().PrimaModCol(ColIndex, KeyAscii, Cancel);
}

void frmSpeseDoc::BeforeColUpdate(ui::Controllo&, int ColIndex, vb::Variant& OldValue, int& Cancel) {
  if (mbInAiuto) return;
  ogComlin().PrimaAggCol(ColIndex, OldValue, Cancel);
  if (!Cancel && !DatiValidi(ColIndex, false, true)) Cancel = 1;
  if (Cancel) {
    ArmaTimer("timVarie");
    miAzioneTimer = 4;
    mbComandiAbil = false;
  }
}

void frmSpeseDoc::dbgRiga_BeforeDelete(int& Cancel) {
  if (!msTastoCorr.empty()) return;
  if (ogComlin().EseguiTasto("Cancella", -1, true) == -1) Cancel = 1;
}

void frmSpeseDoc::BeforeUpdate(ui::Controllo&, int& Cancel) {
  if (mbComandiAbil && VerifUpdate() && ogComlin().PrimaAggiorna(true)) {
    MettiRiga(true);
    const auto& fc = FC();
    dati::Recordset* rs = ogComlin().Recordset();
    rs->Scrivi("Anno", vb::Variant(fc.ValInt(vb::Variant(osAnnoRif), true, true)));
    rs->Scrivi("NumRif", vb::Variant(static_cast<int>(fc.ValDouble(vb::Variant(osNumRif), true))));
    mlRigaSalvata = rs->Leggi("Riga").ToLong();
    return;
  }
  Cancel = 1;
}

void frmSpeseDoc::AfterUpdate(ui::Controllo&) {
  // A row stored with a code decoded here shows the master's description
  // and kind once the rows are read again, on the next tick.
  if (mbVistaRiga) {
    miAzioneTimer = 2;
    ArmaTimer("timVarie");
  }
  DimenticaRiga();
}

void frmSpeseDoc::dbgRiga_ButtonClick(int ColIndex) {
  mbInAiuto = true;
  try {
    DecodHelp(ColIndex, 113);
  } catch (...) {
    mbInAiuto = false;
    throw;
  }
  dbgRiga().SetFocus();
  mbInAiuto = false;
}

void frmSpeseDoc::Change(ui::Controllo& c) {
  if (&c == &C("dbgRiga")) dbgRiga_Change();
}

void frmSpeseDoc::dbgRiga_Change() { ogComlin().Cambiato(); }

void frmSpeseDoc::dbgRiga_Error(int DataError, int& Response) { ogComlin().ErroreDati(DataError, Response); }

void frmSpeseDoc::dbgRiga_HeadClick(int ColIndex) {
  int esito = 1;
  try {
    esito = ogComlin().OrdinaColonna(ColIndex, msSql);
  } catch (...) {
    esito = 1;
  }
  if (esito == 1) vb::MsgBox("Impossibile ordinare su questo campo", vb::vbOKOnly);
}

void frmSpeseDoc::RowColChange(ui::Controllo&, const vb::Variant& LastRow, int LastCol) {
  if (!comlin_) return;
  // Another row: what was decoded for the one left goes with it.
  if (!dbgRiga().InModifica()) DimenticaRiga();
  std::string a, b;
  comlin_->RigaColCambiata(LastRow, LastCol, miRigaColCambio, a, b);
  if (mbCassaPrevNoImpon) {
    const int c = Colonna("Spesa");
    if (c >= 0) DatiValidi(c, false, false);
  }
  C("txtRiga").SetText(a + " / " + b);
  miRigaColCambio = 0;
}

void frmSpeseDoc::dbgRiga_SplitChange() {
  if (comlin_ && comlin_->ColonnaSplit() != 1) comlin_->SplitCambiato();
}

// ---------------------------------------------------------------- timers and layout

void frmSpeseDoc::ArmaTimer(const char* nome) {
  ui::Controllo& t = C(nome);
  t.SetEnabled(false);
  t.SetEnabled(true);
}

void frmSpeseDoc::Timer(ui::Controllo& c) {
  c.SetEnabled(false);
  if (Uguale(c.Name(), "timVarie")) {
    if (miAzioneTimer == 1 && comlin_) comlin_->EventoTimer();
    else if (miAzioneTimer == 4) mbComandiAbil = true;
    else if (miAzioneTimer == 2 && comlin_ && !comlin_->InModifica()) {
      comlin_->EseguiTasto("Aggiorna", -1, false);
      // Back on the row stored, wherever the new reading put it.
      if (dati::Recordset* rs = comlin_->Recordset(); rs && mlRigaSalvata > 0) {
        rs->FindFirst("Riga = " + std::to_string(mlRigaSalvata));
        if (!rs->NoMatch()) dbgRiga().SetBookmark(rs->Bookmark());
        comlin_->AggiornaContatore();
      }
    }
    miAzioneTimer = 0;
  } else if (Uguale(c.Name(), "timResize")) {
    if (comlin_) {
      ui::Controllo& tol = C("tolComlin");
      comlin_->Ridimensiona(false, 0, tol.Top() + tol.Height());
    }
  }
}

void frmSpeseDoc::Form_Resize() { ArmaTimer("timResize"); }

void frmSpeseDoc::ButtonClick(ui::Controllo&, const std::string& key) { ButtonComando(key); }

void frmSpeseDoc::Messaggio(const std::string& psTesto) const {
  frmMsgCom::msgCom(psTesto, "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1);
}
