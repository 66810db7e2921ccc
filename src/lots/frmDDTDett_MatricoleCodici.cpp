// A code read from a serial reader file: an article (by its code or its
// barcode), or a serial number whose article is found from the layout's
// prefix, the serial's warehouse history, the line last worked on or the
// user. The history of a serial is the rows of MovMagMatr with their
// movement line and header, newest first; a movement is after the DDT when
// its registration date is after the DDT's date (the document date, else
// the registration date).
#include <memory>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "lots/MatrRegole.h"
#include "lots/frmMatrArt.h"
#include "platform/ui/Backend.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

using namespace DettUtil;

namespace {

std::string SqlT(const std::string& v) { return FC().ValoreSql(vb::Variant(v), vb::vbString); }
std::string T(const vb::Variant& v) { return servizi::Testo(v); }

// An article with that barcode (pbCercaCodBarre) or that code exists.
bool ArticoloEsiste(const std::string& psCodice, bool pbCercaCodBarre) {
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      servizi::DbDitta(), G().gsConnAzienda, "",
      std::string("Select Articolo from Articoli") + (pbCercaCodBarre ? " Where BarCode = " : " Where Articolo = ") +
          SqlT(psCodice),
      false, 4);
  const bool c = !rs.NessunRecord(k);
  rs.ChiudiRecordset(k);
  return c;
}

vb::Date DataDi(const vb::Variant& v) {
  if (v.IsNull() || v.IsEmpty()) return {};
  const vb::Variant d = FC().ValData(v);
  return d.IsEmpty() || d.IsNull() ? vb::Date() : d.ToDate();
}

// One candidate article of a serial used for several articles.
struct Candidato {
  std::string articolo, stato, liv1, liv2;
  vb::Date data;
};

}  // namespace

std::string frmDDTDett::ArtUltRiga(const std::string& psMatricola, const std::string& psTipoRic,
                                   std::string& psLivGruppo1, std::string& psLivGruppo2, int32_t& plRigLiv) {
  plRigLiv = -1;
  const Globali& g = G();
  if (ogLinPag().Stato() == 2) {
    const std::string& t = g.gsTabDettApp;
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        servizi::DbDitta(), g.gsConnAzienda, "",
        "Select " + t + ".Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2" + " from " + t +
            " INNER JOIN Articoli" + " ON Articoli.Articolo = " + t + ".Articolo" + " Where Anno = " +
            FC().ValoreSql(vb::Variant(AnnoDoc()), vb::vbInteger) +
            " and NumRif = " + FC().ValoreSql(vb::Variant(NumRifDoc()), vb::vbLong) +
            " and RigLiv = " + FC().ValoreSql(vb::Variant(mlMaxRigLiv), vb::vbLong),
        false, 4);
    std::string articolo;
    if (!rs.NessunRecord(k)) {
      plRigLiv = mlMaxRigLiv;
      psLivGruppo1 = T(rs.LeggiCampo(k, "LivGruppo1"));
      psLivGruppo2 = T(rs.LeggiCampo(k, "LivGruppo2"));
      articolo = T(rs.LeggiCampo(k, "Articolo"));
      rs.ChiudiRecordset(k);
    } else {
      rs.ChiudiRecordset(k);
      if (!psTipoRic.empty())
        articolo = ChiediArt(psMatricola, psTipoRic, "", "", true, false, {}, "", psLivGruppo1, psLivGruppo2);
    }
    return articolo;
  }
  plRigLiv = FC().ValLong(vb::Variant(lab(15).Caption()));
  if (plRigLiv == 0) plRigLiv = -1;
  psLivGruppo1 = osLivGruppo1;
  psLivGruppo2 = osLivGruppo2;
  return txt(20).Text();
}

std::string frmDDTDett::MatrTipoCod(const std::string& psArticolo, std::string& psNewArt, std::string& psLivGruppo1,
                                    std::string& psLivGruppo2, int32_t& plRigLiv) {
  plRigLiv = -1;
  const LayoutMatricole& lay = oLayMatr;
  const std::string codice = psArticolo;
  // 1. An identified article.
  if (!lay.codArtInizIdent.empty() && codice.size() >= lay.codArtInizIdent.size() &&
      Uguale(codice.substr(0, lay.codArtInizIdent.size()), lay.codArtInizIdent)) {
    psNewArt = lay.addArtPrima + codice.substr(lay.codArtInizIdent.size()) + lay.addArtDopo;
    return "A";
  }
  // 2. A short code may be an article.
  if (static_cast<long>(codice.size()) < lay.matrLungMin) {
    const std::string seq = vb::UCase(vb::Trim(lay.codArtSeqRic));
    auto cerca = [&](bool barcode) -> std::string {
      if (barcode) return ArticoloEsiste(codice, true) ? "B" : "";
      return ArticoloEsiste(lay.addArtPrima + codice + lay.addArtDopo, false) ? "A" : "";
    };
    const bool primaBarcode = seq.empty() || seq[0] == 'B';
    std::string r = cerca(primaBarcode);
    if (!r.empty()) return r;
    if (seq.empty() || seq.size() > 1) {
      const char seconda = seq.empty() ? 'C' : seq[1];
      if (seconda == 'C') r = cerca(false);
      else if (seconda == 'B') r = cerca(true);
      if (!r.empty()) return r;
    }
  }
  // 3. A serial number.
  if (Uguale(lay.matrSuUltRiga, "U")) {
    psNewArt = ArtUltRiga(codice, "U", psLivGruppo1, psLivGruppo2, plRigLiv);
    return "M";
  }
  const vb::Date riferimento = DataDi(vb::Variant(Vuoto(osDataDoc) ? osDataRif : osDataDoc));
  const bool controlla = Uguale(osMatrSegnTipOpe, "S");
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      servizi::DbDitta(), G().gsConnAzienda, "",
      std::string("SELECT MovMagDett.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2") +
          ", MovMagMatr.TipOpe, MovMagTes.DataReg" + ", MovMagDett.Anno, MovMagDett.NumReg, MovMagDett.RigLiv" +
          " FROM ((MovMagMatr INNER JOIN MovMagDett" + " ON MovMagMatr.RigLiv = MovMagDett.RigLiv" +
          " AND MovMagMatr.NumReg = MovMagDett.NumReg" + " AND MovMagMatr.Anno = MovMagDett.Anno)" +
          " INNER JOIN MovMagTes" + " ON MovMagDett.NumReg = MovMagTes.NumReg" +
          " AND MovMagDett.Anno = MovMagTes.Anno)" + " INNER JOIN Articoli" +
          " ON Articoli.Articolo = MovMagDett.Articolo" + " Where MovMagMatr.Matricola = " + SqlT(codice) +
          " ORDER BY MovMagTes.DataReg DESC, MovMagDett.NumReg DESC",
      false, 4);
  struct Chiudi {
    dati::GestRecordset& rs;
    const std::string& k;
    ~Chiudi() {
      SenzaErrori([&] {
        if (rs.Esiste(k)) rs.ChiudiRecordset(k);
      });
    }
  } chiudi{rs, k};
  // 6. No history.
  if (rs.NessunRecord(k)) {
    if (Uguale(lay.matrSuUltRiga, "S")) {
      psNewArt = ArtUltRiga(codice, "N", psLivGruppo1, psLivGruppo2, plRigLiv);
      if (controlla && AziendaUtil::VerifMatrTipOpe(osTipOpe, "", "", osMatrGuastoNoScar, false) != 0)
        psNewArt = ChiediArt(codice, "C", psNewArt, "", false, false, {}, "", psLivGruppo1, psLivGruppo2);
    } else {
      psNewArt = ChiediArt(codice, "N", "", "", true, false, {}, "", psLivGruppo1, psLivGruppo2);
    }
    return "M";
  }
  // 7. One article per serial.
  if (Uguale(osMatrUnica, "S")) {
    rs.PrimoRec(k);
    psNewArt = T(rs.LeggiCampo(k, "Articolo"));
    psLivGruppo1 = T(rs.LeggiCampo(k, "LivGruppo1"));
    psLivGruppo2 = T(rs.LeggiCampo(k, "LivGruppo2"));
    bool successivo = false;
    vb::Date dataSucc;
    std::string statoSucc, statoPrec;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      const vb::Date d = DataDi(rs.LeggiCampo(k, "DataReg"));
      if (!(d > riferimento)) {
        statoPrec = T(rs.LeggiCampo(k, "TipOpe"));
        break;
      }
      successivo = true;
      dataSucc = d;
      statoSucc = T(rs.LeggiCampo(k, "TipOpe"));
    }
    const int16_t esito = AziendaUtil::VerifMatrTipOpe(osTipOpe, statoPrec, statoSucc, osMatrGuastoNoScar,
                                                       successivo && lay.segnalNonUlt);
    if (controlla && esito != 0)
      psNewArt = ChiediArt(codice, esito == 1 ? "C" : "S", psNewArt, statoPrec, false, successivo, dataSucc,
                           statoSucc, psLivGruppo1, psLivGruppo2);
    return "M";
  }
  // 8. A serial used for several articles: the first article whose history
  // fits the DDT's operation.
  const long righe = rs.NumRecord(k);
  std::vector<Candidato> slot(static_cast<size_t>(righe > 0 ? righe : 1));
  psNewArt.clear();
  bool nessunoCompat = true;
  rs.PrimoRec(k);
  std::string artUnico = T(rs.LeggiCampo(k, "Articolo"));
  const std::string statoRecente = T(rs.LeggiCampo(k, "TipOpe"));
  bool fatto = false;
  for (; !fatto && !rs.FineRec(k); rs.ProssimoRec(k)) {
    const std::string art = T(rs.LeggiCampo(k, "Articolo"));
    if (!Uguale(art, artUnico)) artUnico.clear();
    const vb::Date d = DataDi(rs.LeggiCampo(k, "DataReg"));
    const std::string stato = T(rs.LeggiCampo(k, "TipOpe"));
    bool dopo = d > riferimento;
    bool daControllare = true;
    Candidato* c = nullptr;
    for (Candidato& s : slot) {
      if (s.articolo.empty()) {
        s.articolo = art;
        s.liv1 = T(rs.LeggiCampo(k, "LivGruppo1"));
        s.liv2 = T(rs.LeggiCampo(k, "LivGruppo2"));
        s.data = d;
        s.stato = stato;
        if (dopo) daControllare = false;
        c = &s;
        break;
      }
      if (Uguale(s.articolo, art)) {
        if (dopo) {
          s.data = d;
          s.stato = stato;
          daControllare = false;
        } else if (s.data > riferimento) {
          dopo = true;
        } else {
          daControllare = false;
        }
        c = &s;
        break;
      }
    }
    if (!c || !daControllare) continue;
    psLivGruppo1 = c->liv1;
    psLivGruppo2 = c->liv2;
    const std::string artSlot = c->articolo, statoSlot = c->stato;
    const vb::Date dataSlot = c->data;
    if (VerificaMulti(rs, k, nessunoCompat, artSlot, psNewArt, psLivGruppo1, psLivGruppo2, stato, statoSlot, dopo,
                      artUnico, plRigLiv, codice, dataSlot)) {
      fatto = true;
      break;
    }
    c->data = d;
    c->stato = stato;
  }
  // Articles whose every movement is after the DDT.
  for (Candidato& s : slot) {
    if (s.articolo.empty()) break;
    if (!(s.data > riferimento)) continue;
    psLivGruppo1 = s.liv1;
    psLivGruppo2 = s.liv2;
    if (VerificaMulti(rs, k, nessunoCompat, s.articolo, psNewArt, psLivGruppo1, psLivGruppo2, "", s.stato, true,
                      artUnico, plRigLiv, codice, s.data))
      break;
  }
  if (nessunoCompat) {
    if (!artUnico.empty()) {
      psNewArt = ChiediArt(codice, "C", artUnico, statoRecente, true, false, {}, "", psLivGruppo1, psLivGruppo2);
    } else {
      const Candidato& primo = slot[0];
      const bool succ = primo.data > riferimento;
      psNewArt = ChiediArt(codice, "O", primo.articolo, primo.stato, true, succ, primo.data, "", psLivGruppo1,
                           psLivGruppo2);
    }
  }
  return "M";
}

bool frmDDTDett::VerificaMulti(dati::GestRecordset& pgRecDat, const std::string& psRecDat, bool& pbNoCompat,
                               const std::string& psArticolo, std::string& psNewArt, std::string& psLivGruppo1,
                               std::string& psLivGruppo2, const std::string& psMovTipOpePrec,
                               const std::string& psMovTipOpeSucc, bool pbVerSucc, std::string& psArtUnico,
                               int32_t& plRigLiv, const std::string& psMatricola, const vb::Date& ptUltData) {
  const bool passa = !Uguale(osMatrSegnTipOpe, "S") ||
                     AziendaUtil::VerifMatrTipOpe(osTipOpe, psMovTipOpePrec, psMovTipOpeSucc, osMatrGuastoNoScar,
                                                  pbVerSucc) == 0;
  if (!passa) return false;
  pbNoCompat = false;
  if (psNewArt.empty()) {
    psNewArt = psArticolo;
    return false;
  }
  if (Uguale(psNewArt, psArticolo)) return false;
  // A second article fits.
  psArtUnico.clear();
  if (Uguale(oLayMatr.matrSuUltRiga, "S")) {
    std::string liv1, liv2;
    int32_t rigLiv = -1;
    const std::string ultimo = ArtUltRiga(psMatricola, "", liv1, liv2, rigLiv);
    pgRecDat.PrimoRec(psRecDat);
    plRigLiv = -1;
    for (; !pgRecDat.FineRec(psRecDat); pgRecDat.ProssimoRec(psRecDat)) {
      const std::string art = T(pgRecDat.LeggiCampo(psRecDat, "Articolo"));
      if (!ultimo.empty() && Uguale(art, ultimo)) {
        psNewArt = art;
        psArtUnico = art;
        psLivGruppo1 = T(pgRecDat.LeggiCampo(psRecDat, "LivGruppo1"));
        psLivGruppo2 = T(pgRecDat.LeggiCampo(psRecDat, "LivGruppo2"));
        // The history names a warehouse movement line, no line of this
        // DDT: the caller looks for a line of the article.
        plRigLiv = -1;
        break;
      }
    }
  }
  if (psArtUnico.empty())
    psNewArt = ChiediArt(psMatricola, "M", psNewArt, "", true, pbVerSucc, ptUltData,
                         pbVerSucc ? psMovTipOpeSucc : std::string(), psLivGruppo1, psLivGruppo2);
  return true;
}

std::string frmDDTDett::ChiediArt(const std::string& psMatricola, const std::string& psTipoRic,
                                  const std::string& psArticolo, const std::string& psStato, bool pbEnabArt,
                                  bool pbNonUlt, const vb::Date& ptUltData, const std::string& psUltTipOpe,
                                  std::string& psLivGruppo1, std::string& psLivGruppo2) {
  std::string risposta;
  mbRichMatrInterrotta = false;
  mfrmMatrArt = std::make_shared<frmMatrArt>();
  std::shared_ptr<frmMatrArt> tieni = mfrmMatrArt;
  frmMatrArt& f = *tieni;
  f.obOk = false;
  f.ofrm = this;
  f.osKeySec = osKeySec;
  f.Load();
  f.Show(0);
  f.SetosMatricola(psMatricola);
  f.SetosArticolo(psArticolo);
  f.SetobEnabArt(pbEnabArt);
  f.SetobNonUlt(pbNonUlt);
  if (pbNonUlt) {
    f.SetotUltData(ptUltData);
    f.SetosTipOpeSucc(AziendaUtil::DecodMatrTipOpe(psUltTipOpe, false));
  }
  const std::string tipo = vb::UCase(vb::Trim(psTipoRic));
  const std::string statoPrec = AziendaUtil::DecodMatrTipOpe(psStato, true);
  if (tipo == "N") {
    f.SetosDescr("Matricola non ancora associata ad un articolo");
  } else if (tipo == "S") {
    f.SetosDescr("Matricola con movimento successivo o precedente non compatibile");
    f.SetosStatoPrec(statoPrec);
  } else if (tipo == "C") {
    f.SetosDescr("Matricola di articolo con movimento precedente non compatibile");
    f.SetosStatoPrec(statoPrec);
  } else if (tipo == "M") {
    f.SetosDescr("Matricola usata per più articoli");
  } else if (tipo == "O") {
    f.SetosDescr("Matr. per più articoli non compatibili. Ultimo stato per questo articolo");
    f.SetosStatoPrec(statoPrec);
  }
  SetEnabled(false);
  obInRichMatr = true;
  // The buttons lower obInRichMatr and hide the question; a question that
  // goes any other way, or the line window closing, ends the wait too.
  while (obInRichMatr && f.Caricata() && f.Visible() && !mbInChiusura) ui::BackendAttivo().AttendiModale(f);
  const bool daBottone = f.obRisposto;
  obInRichMatr = false;
  SenzaErrori([&] {
    if (!mbInChiusura) SetEnabled(true);
  });
  if (daBottone && f.obOk && f.Caricata()) {
    psLivGruppo1 = f.osLivGruppo1();
    psLivGruppo2 = f.osLivGruppo2();
    risposta = f.osArticolo();
  }
  mbRichMatrInterrotta = !daBottone;
  SenzaErrori([&] {
    if (f.Caricata()) f.Unload();
  });
  mfrmMatrArt.reset();
  return risposta;
}
