// Cut, copy and paste of lines. Flagging marks the working rows themselves
// (CopiaTaglia 1 copy, 2 cut); the window remembers only the kind. A paste
// moves the lines through RigDet bands and renumbers them 1..n:
//   below 10000          lines above the paste position that stay there
//   10000 + RigDet       cut lines (a cut), or the new copies (a copy:
//                        10000 + their source's number)
//   20000 + RigDet       the lines at or below the paste position
// Moved lines keep their RigLiv and all that hangs off it; copies get new
// keys and copies of their level rows.
#include <algorithm>
#include <map>
#include <vector>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// Error 3197 (the row changed under us) is worth a few more tries; then,
// like any other error, it reaches the caller.
template <class F>
void Ripeti(F&& passo) {
  for (int tentativo = 1;; ++tentativo) {
    try {
      passo();
      return;
    } catch (const vb::Errore& e) {
      if (e.Number() != 3197 || tentativo >= 3) throw;
    }
  }
}

void AbilitaIncolla(frmDDTDett& f, bool pbAbil) {
  ui::Controllo& tb = f.tolLinPag();
  if (!tb.HaElem("Incolla")) return;
  tb.Elem("Incolla").Enabled = pbAbil;
  tb.ElementoCambiato();
}

}  // namespace

// "year AND number" of the statements below.
static std::string ChiaveDoc(const frmDDTDett& f) {
  return " where Anno = " + FC().ValoreSql(vb::Variant(f.txt(600).Text()), vb::vbInteger) +
         " AND NumRif = " + FC().ValoreSql(vb::Variant(f.txt(610).Text()), vb::vbLong);
}

void frmDDTDett::CopiaTagliaDett(int16_t piCopiaTaglia) {
  if (!FC().Vuoto(vb::Variant(osStato))) {
    frmMsgCom::msgCom("DDT stampato: Impossibile copiare/spostare");
    return;
  }
  auto& p = ogLinPag();
  if (!p.VarDati(-1).ToString().empty()) {
    frmMsgCom::msgCom("Salvare i dati prima di incollare/tagliare");
    return;
  }
  FunVarie::Clessidra(-1);
  try {
    const std::string segno = dbgRiga().Bookmark();
    if (!AzzeraCopiaTaglia().ToBool()) {
      FunVarie::Clessidra(0);
      return;
    }
    dati::GestRecordset& o = p.OggDati();
    const std::string& k = p.ChiaveDati();
    // The flag is written by the row's key: the clearing above went round
    // the page's rows, which still hold the flags it removed (an edit
    // through them would be refused as changed by another user).
    const Globali& g = G();
    // The flagged lines by their numbers, a few hundred to a statement: one
    // statement a line cost a millisecond each (prepared and committed on
    // its own).
    std::vector<std::string> righe;
    auto prendi = [&] { righe.push_back(FC().ValoreSql(o.LeggiCampo(k, "RigDet"), vb::vbInteger)); };
    std::vector<std::string>& sel = p.SelBookmarks();
    if (sel.size() < 2) {
      if (!o.NessunRecord(k) && !o.RecordsetDao(k).NessunaCorrente()) prendi();
    } else {
      for (const std::string& b : sel) {
        Ripeti([&] { o.RecordsetDao(k).SetBookmark(b); });
        prendi();
      }
    }
    constexpr size_t kPerComando = 200;
    for (size_t i = 0; i < righe.size(); i += kPerComando) {
      std::string elenco;
      for (size_t j = i; j < std::min(righe.size(), i + kPerComando); ++j) elenco += (j > i ? ", " : "") + righe[j];
      const std::string sql = "Update " + g.gsTabDettApp + " Set CopiaTaglia = " +
                              FC().ValoreSql(vb::Variant(piCopiaTaglia), vb::vbInteger) + ChiaveDoc(*this) +
                              " AND RigDet In (" + elenco + ")";
      Ripeti([&] { g.goDbAzienda->EseguiSql(g.gsConnAzienda, sql); });
    }
    while (!sel.empty()) sel.erase(sel.begin());
    if (!segno.empty()) Ripeti([&] { dbgRiga().SetBookmark(segno); });
    Ripeti([&] { p.Rileggi(); });
    miCopiaTaglia = piCopiaTaglia;
    AbilitaIncolla(*this, true);
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
  FunVarie::Clessidra(0);
}

vb::Variant frmDDTDett::AzzeraCopiaTaglia() {
  const Globali& g = G();
  try {
    g.goDbAzienda->EseguiSql(g.gsConnAzienda,
                             "Update " + g.gsTabDettApp + " Set CopiaTaglia = 0" + ChiaveDoc(*this));
  } catch (const vb::Errore& e) {
    utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
  miCopiaTaglia = 0;
  AbilitaIncolla(*this, false);
  return true;
}

bool frmDDTDett::IncollaSposta(int32_t plPos) {
  const Globali& g = G();
  // The gap, the move or the copies, all or nothing: a paste that fails
  // (or a program that dies) half-way leaves the lines as they were.
  utilprg::TransInizio(0, -1, nullptr, -1, "");
  try {
    int32_t banda = 20000;
    if (miCopiaTaglia == 2) {
      // Only unflagged lines make room; the cut lines go to their own band.
      SpostaRighe("RigDet", g.gsTabDettApp, static_cast<int16_t>(plPos), 0, banda, int16_t(0));
      IncollaDaTaglia("RigDet", g.gsTabDettApp);
    } else {
      // Every line at or below the position makes room, copied ones too:
      // a copied line keeps its place and its copy goes in the block.
      SpostaRighe("RigDet", g.gsTabDettApp, static_cast<int16_t>(plPos), 0, banda);
      IncollaDaCopia("RigDet", g.gsTabDettApp);
    }
    PuntoArresto("Incolla");
    utilprg::TransConferma(0, -1, nullptr, -1, "");
  } catch (...) {
    utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    throw;
  }
  return true;
}

void frmDDTDett::IncollaDett() {
  const Globali& g = G();
  if (!FC().Vuoto(vb::Variant(osStato))) {
    frmMsgCom::msgCom("DDT stampato: Impossibile copiare/spostare");
    return;
  }
  auto& p = ogLinPag();
  if (!p.VarDati(-1).ToString().empty()) {
    frmMsgCom::msgCom("Salvare i dati prima di incollare");
    return;
  }
  if (miCopiaTaglia != 1 && miCopiaTaglia != 2) return;  // nothing flagged

  int32_t t = 0;
  try {
    dati::GestRecordset& o = p.OggDati();
    const std::string& k = p.ChiaveDati();
    int32_t pos;
    if (p.Stato() == 2 || o.NessunRecord(k)) {
      // On a new line the block goes after the last line.
      pos = UltimaRigDet() + 1;
    } else {
      pos = FC().ValInt(vb::Variant(txt(10).Text()), false, true);
      if (o.NumRecord(k) == o.PosizioneRec(k) + 1 &&
          frmMsgCom::msgCom("Ultima riga dei movimenti\r\nVuoi incollare sopra o sotto questa riga", "Sopra",
                            std::string("Sotto"), vb::Missing, std::string("Incollare sopra o sotto")) == 2)
        ++pos;
    }
    if (miCopiaTaglia == 1) {
      // The copies would push the last line into the shift band.
      dati::GestRecordset rs;
      const std::string c = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                             "Select count(*) as NumeroRec From " + g.gsTabDettApp + ChiaveDoc(*this),
                                             false, 4);
      const int32_t righe = FC().ValLong(rs.LeggiCampo(c, "NumeroRec"), true, true);
      int32_t fine = kMaxRigDet + 1;
      const int32_t copie = FlaggatiPrimaDiPunt(fine, "RigDet", g.gsTabDettApp);
      if (righe + copie > kMaxRigDet) {
        frmMsgCom::msgCom("Con le righe copiate il DDT supererebbe le " + std::to_string(kMaxRigDet) +
                          " righe: impossibile incollarle");
        return;
      }
    }
    FunVarie::Clessidra(-1);
    miNoEventiGriglia = 1;
    t = pos - 1;
    if (miCopiaTaglia == 2) {
      // The cut lines above the position leave from above it: the block
      // begins that many rows higher.
      const int32_t sopra = FlaggatiPrimaDiPunt(pos, "RigDet", g.gsTabDettApp);
      t = std::max<int32_t>(0, t - sopra);
    }
    IncollaSposta(pos);
  } catch (const vb::Errore& e) {
    FunVarie::MsgErr(e);
  }
  FunVarie::Clessidra(-1);
  miNoEventiGriglia = 1;

  // The rows read again in RigDet order, then numbered 1..n whatever
  // happened above.
  for (int giro = 1; giro <= 3; ++giro) {
    try {
      p.Riposiziona(false, -1, 0, -1, -1);
      RenumRighe(p.OggDati(), p.ChiaveDati(), "RigDet", 1);
      break;
    } catch (const vb::Errore& e) {
      if (giro == 3) FunVarie::MsgErr(e);
    }
  }

  // From here on nothing stops the paste.
  try {
    if (ui::DatiControllo& d = datRiga(); d.Recordset() && d.Recordset()->RecordCount() > 0)
      d.Recordset()->SetAbsolutePosition(std::min<long>(t, d.Recordset()->RecordCount() - 1));
  } catch (...) {
  }
  try {
    AzzeraCopiaTaglia();
  } catch (...) {
  }
  miCopiaTaglia = 0;
  try {
    AbilitaIncolla(*this, false);
  } catch (...) {
  }
  miNoEventiGriglia = 0;
  try {
    ui::DoEvents();
    p.Rileggi();
  } catch (...) {
  }
  FunVarie::Clessidra(0);
}

void frmDDTDett::IncollaDaTaglia(const std::string& psCampo, const std::string& psFile) {
  const Globali& g = G();
  g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Update " + psFile + " Set " + psCampo + " = " + psCampo + " + 10000" +
                                                ChiaveDoc(*this) + " AND CopiaTaglia = " +
                                                FC().ValoreSql(vb::Variant(miCopiaTaglia), vb::vbInteger));
}

vb::Variant frmDDTDett::IncollaDaCopia(const std::string& psCampo, const std::string& psFile) {
  const Globali& g = G();
  dati::GestRecordset rs;
  const std::string nuove =
      rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", "Select * From " + psFile + " Where Anno = -1", false, 2);
  // In display order: the copies take ascending keys as the user sees them.
  const std::string orig = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                            "Select * From " + psFile + ChiaveDoc(*this) + " AND CopiaTaglia = " +
                                                FC().ValoreSql(vb::Variant(miCopiaTaglia), vb::vbInteger) +
                                                " Order By " + psCampo,
                                            false, 2);
  // Source key -> copy key; the eco-fee links of the copies to re-point.
  std::map<int32_t, int32_t> copiaDi;
  std::vector<std::pair<int32_t, int32_t>> raee;
  for (; !rs.NessunRecord(orig) && !rs.FineRec(orig); rs.ProssimoRec(orig)) {
    const long esito = rs.CopiaRecord(orig, nuove, true, false, false);
    if (esito != 0) vb::Solleva(FC().CodiceErrore(-(esito + 100)), "Copia della riga non riuscita");
    // A source at or below the paste position stands in the 20000 band.
    int32_t numero = FC().ValLong(rs.LeggiCampo(nuove, psCampo), true, true);
    if (numero >= 20000) numero -= 20000;
    rs.ScriviCampo(nuove, psCampo, int16_t(10000 + numero));
    ++mlMaxRigLiv;
    rs.ScriviCampo(nuove, "RigLiv", mlMaxRigLiv);
    // A copy comes from no document and has no state, as a duplicated line;
    // it is no source of paste either.
    rs.ScriviCampo(nuove, "StatoRiga", std::string());
    rs.ScriviCampo(nuove, "TipoProv", std::string());
    rs.ScriviCampo(nuove, "FattDocumentoProv", std::string());
    for (const char* c : {"AnnoRifProv", "NumRifProv", "RigaRifProv", "QtaProv", "RigLivRAEE"})
      rs.ScriviCampo(nuove, c, vb::Null);
    rs.ScriviCampo(nuove, "CopiaTaglia", int32_t(0));
    rs.SalvaRecord(nuove);
    const int32_t sorgente = FC().ValLong(rs.LeggiCampo(orig, "RigLiv"), true, true);
    copiaDi[sorgente] = mlMaxRigLiv;
    const vb::Variant legata = rs.LeggiCampoNull(orig, "RigLivRAEE");
    if (!legata.IsNull() && !legata.IsEmpty()) raee.emplace_back(mlMaxRigLiv, static_cast<int32_t>(legata.ToLong()));
    rs.ModificaRecord(orig);
    rs.ScriviCampo(orig, "CopiaTaglia", int32_t(100000 + mlMaxRigLiv));
    rs.SalvaRecord(orig);
  }
  rs.ChiudiRecordset(orig);

  // An eco-fee line copied with its article line follows the copy; copied
  // alone it belongs to no line.
  for (const auto& [copia, legata] : raee) {
    const auto it = copiaDi.find(legata);
    if (it == copiaDi.end()) continue;
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Update " + psFile + " Set RigLivRAEE = " +
                                                  FC().ValoreSql(vb::Variant(it->second), vb::vbLong) +
                                                  ChiaveDoc(*this) + " AND RigLiv = " +
                                                  FC().ValoreSql(vb::Variant(copia), vb::vbLong));
  }

  const std::string& l = g.gsTabLivApp;
  const std::string livNuovi =
      rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", "Select * From " + l + " Where Anno = -1", false, 2);
  const std::string livOrig = rs.ApriRecordset(
      *g.goDbAzienda, g.gsConnAzienda, "",
      "Select " + l + ".*, " + psFile + ".CopiaTaglia From " + l + ", " + psFile + " Where " + l + ".Anno = " +
          FC().ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + l + ".NumRif = " +
          FC().ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " AND CopiaTaglia > 100000 AND " + l +
          ".Anno = " + psFile + ".Anno AND " + l + ".NumRif = " + psFile + ".NumRif AND " + l + ".RigLiv = " +
          psFile + ".RigLiv",
      false, 2);
  for (; !rs.NessunRecord(livOrig) && !rs.FineRec(livOrig); rs.ProssimoRec(livOrig)) {
    const long esito = rs.CopiaRecord(livOrig, livNuovi, true, false, false);
    if (esito != 0) vb::Solleva(FC().CodiceErrore(-(esito + 100)), "Copia dei livelli non riuscita");
    const int32_t segno = FC().ValLong(rs.LeggiCampo(livOrig, psFile + ".CopiaTaglia"), true, true);
    rs.ScriviCampo(livNuovi, "RigLiv", int32_t(segno - 100000));
    // As on the copied line: no source document, no state.
    rs.ScriviCampo(livNuovi, "StatoRiga", std::string());
    rs.ScriviCampo(livNuovi, "QtaProv", vb::Null);
    rs.ScriviCampo(livNuovi, "RigLivOrig", int32_t(0));
    rs.SalvaRecord(livNuovi);
  }
  rs.ChiudiRecordset(livOrig);
  return int16_t(0);
}

int32_t frmDDTDett::FlaggatiPrimaDiPunt(int32_t& plPrimaDaSpost, const std::string& psCampo,
                                        const std::string& psFile) {
  const Globali& g = G();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      *g.goDbAzienda, g.gsConnAzienda, "",
      "Select count(*) as NumeroRec From " + psFile + ChiaveDoc(*this) + " AND CopiaTaglia = " +
          FC().ValoreSql(vb::Variant(miCopiaTaglia), vb::vbInteger) + " AND " + psCampo + " < " +
          FC().ValoreSql(vb::Variant(plPrimaDaSpost), vb::vbLong),
      false, 4);
  const int32_t n = FC().ValLong(rs.LeggiCampo(k, "NumeroRec", 4), true, true);
  rs.ChiudiRecordset(k);
  return n;
}
