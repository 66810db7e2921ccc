// The lots a document's editing touched, and the lot selection list of a
// line: its build, the line's own rows put into it, the spreading of a
// quantity over it and its writing back as the line's lot rows.
#include <algorithm>
#include <optional>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "lots/UtilLotto.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/LatoMenu.h"
#include "services/UtilDocFattGest_Trans.h"

namespace UtilLotto {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }
std::string Tx(const std::string& v) { return Fc().ValoreSql(v, vb::vbString); }
std::string In(int16_t v) { return Fc().ValoreSql(v, vb::vbInteger); }
std::string Lo(int32_t v) { return Fc().ValoreSql(v, vb::vbLong); }
std::string Dbl(double v) { return Fc().ValoreSql(v, vb::vbDouble); }
double Num(const vb::Variant& v) { return v.IsNull() || v.IsEmpty() ? 0.0 : v.ToDouble(); }
std::string Campo(dati::GestRecordset& rs, const std::string& k, const std::string& nome) {
  return servizi::Testo(rs.LeggiCampo(k, nome));
}
int16_t CampoInt(dati::GestRecordset& rs, const std::string& k, const std::string& nome) {
  return static_cast<int16_t>(Num(rs.LeggiCampoNull(k, nome)));
}

bool StessoLotto(const scLottiMod& a, const scLottiMod& b) {
  return vb::UgualeTesto(a.osArticolo, b.osArticolo) && vb::UgualeTesto(a.osGruppo, b.osGruppo) &&
         vb::UgualeTesto(a.osMastro, b.osMastro) && vb::UgualeTesto(a.osConto, b.osConto) &&
         vb::UgualeTesto(a.osLotto, b.osLotto) && a.oiNrProgLotto == b.oiNrProgLotto;
}

ChiaveLotto Chiave(const scLottiMod& m) {
  return {m.osArticolo, m.osGruppo, m.osMastro, m.osConto, m.osLotto, m.oiNrProgLotto};
}

dati::GestDatabase& Db() { return servizi::DbDitta(); }
const std::string& Conn() { return G().gsConnAzienda; }

// The rows of the user's list, with a condition and an order of their own.
std::string SqlLista(const std::string& psTipoFile, const std::string& psSelect, const std::string& psAltro) {
  return psSelect + " From AppoggioTemp WHERE Utente = " + Tx(servizi::UtenteMenu()) +
         " AND IdProgramma = " + Tx(NomeListaLottiSel(psTipoFile)) + psAltro;
}

void Chiudi(dati::GestRecordset& rs, const std::string& k) {
  try {
    if (!k.empty() && rs.Esiste(k)) rs.ChiudiRecordset(k);
  } catch (const vb::Errore&) {
  }
}

}  // namespace

// ---------------------------------------------------------------- lot sets

void AggiungiLottoMod(const std::string& psArticolo, const std::string& psGruppo, const std::string& psMastro,
                      const std::string& psConto, const std::string& psLotto, int16_t piNrProgLotto, double pdQta,
                      const std::string& psKey, LottiMod& pcLotti) {
  scLottiMod m;
  m.osArticolo = psArticolo;
  m.osGruppo = psGruppo;
  m.osMastro = psMastro;
  m.osConto = psConto;
  m.osLotto = psLotto;
  m.oiNrProgLotto = piNrProgLotto;
  m.odQta = pdQta;
  m.osKey = psKey;
  pcLotti.push_back(std::move(m));
}

void CaricaLottiMod(LottiMod& pcLotti, int16_t piAnno, int32_t plNumReg, const std::string& psTabella) {
  dati::GestRecordset rs;
  std::string k;
  try {
    k = rs.ApriRecordset(Db(), Conn(), "",
                         "Select * from " + psTabella + " Where Anno = " + In(piAnno) + " And NumReg = " +
                             Lo(plNumReg),
                         false, 4);
    while (!rs.FineRec(k)) {
      scLottiMod riga;
      riga.osArticolo = Campo(rs, k, "Articolo");
      riga.osGruppo = Campo(rs, k, "GruppoCliFor");
      riga.osMastro = Campo(rs, k, "MastroCliFor");
      riga.osConto = Campo(rs, k, "ContoCliFor");
      riga.osLotto = Campo(rs, k, "Lotto");
      riga.oiNrProgLotto = CampoInt(rs, k, "NrProgLotto");
      const double qta = Num(rs.LeggiCampoNull(k, "Qta"));
      long chiave = 0;
      bool trovato = false;
      for (scLottiMod& m : pcLotti) {
        if (StessoLotto(m, riga)) {
          m.odQta += qta;
          trovato = true;
          break;
        }
        chiave = Fc().ValLong(vb::Variant(m.osKey), false, true) + 1L;
      }
      if (!trovato)
        AggiungiLottoMod(riga.osArticolo, riga.osGruppo, riga.osMastro, riga.osConto, riga.osLotto,
                         riga.oiNrProgLotto, qta, std::to_string(chiave), pcLotti);
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    Chiudi(rs, k);
  }
}

void ConfrontaLottiMod(LottiMod& pcCommit, LottiMod& pcLavoro) {
  for (size_t i = 0; i < pcCommit.size();) {
    auto b = std::find_if(pcLavoro.begin(), pcLavoro.end(),
                          [&](const scLottiMod& m) { return StessoLotto(pcCommit[i], m); });
    bool togli = false;
    if (b != pcLavoro.end()) {
      togli = FunVarie::ArrotConfronta(pcCommit[i].odQta, b->odQta, -8) == 0;
      pcLavoro.erase(b);
    }
    if (togli) pcCommit.erase(pcCommit.begin() + static_cast<long>(i));
    else ++i;
  }
}

void AggStatoLottiModif(int16_t piAnno, int32_t plNumReg, const std::string& psTabTracc,
                        const std::string& psTabTraccApp, const std::string& psTipOpe, const std::string& psMagaScar,
                        const std::string& psMagaCar, const std::string& psTipoFileDoc) {
  LottiMod commit, lavoro;
  CaricaLottiMod(commit, piAnno, plNumReg, psTabTracc);
  CaricaLottiMod(lavoro, piAnno, plNumReg, psTabTraccApp);
  ConfrontaLottiMod(commit, lavoro);
  for (const LottiMod* insieme : {&commit, &lavoro})
    for (const scLottiMod& m : *insieme)
      AggStatoLotto(psTipOpe, psMagaScar, psMagaCar, Chiave(m), piAnno, plNumReg, -1, "", 0, psTipoFileDoc);
}

bool NessunLottoRiga(const std::string& psTabella, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv) {
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(Db(), Conn(), "",
                                         "Select Anno as NumRec from " + psTabella + " WHERE Anno = " + In(piAnno) +
                                             " AND NumReg = " + Lo(plNumReg) + " AND RigLiv = " + Lo(plRigLiv),
                                         false, 4);
  const bool nessuno = rs.NessunRecord(k);
  rs.ChiudiRecordset(k);
  return nessuno;
}

// ---------------------------------------------------------- selection list

std::string NomeListaLottiSel(const std::string& psTipoFile) { return "LottiListaSel" + psTipoFile; }

int16_t CreaListaLottiSel(const std::string& psTipoFile, const std::string& psMagaScar,
                          const std::string& psArticolo, bool pbVisLottiScad, const vb::Variant& pvDataRif,
                          const std::string& psTipoFileEscl, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv) {
  const std::string utente = servizi::UtenteMenu();
  const std::string lista = NomeListaLottiSel(psTipoFile);
  AziendaUtil::SvuotaAppoggioTemp(utente, lista);
  int16_t n = 0;
  dati::GestRecordset rs;
  std::string k;
  // One commit for the whole list rather than one per lot: a file
  // database pays a write to disk at each.
  std::optional<UtilDocFattGest::TransDocumento> trans;
  try {
    trans.emplace();
    std::string sql =
        "Select lotti.*, Pianoconti.Descrizione as RagSocForn from lotti Inner Join Pianoconti"
        " On Pianoconti.Gruppo = lotti.GruppoCliFor And Pianoconti.Mastro = lotti.MastroCliFor"
        " And Pianoconti.Conto = lotti.ContoCliFor Where Articolo = " +
        Tx(psArticolo) + " And Chiuso = " + Tx("A");
    if (!pbVisLottiScad)
      sql += " And (isNull(DataScadenza) or DataScadenza >= " + Fc().ValoreSql(pvDataRif, vb::vbDate) + ")";
    k = rs.ApriRecordset(Db(), Conn(), "", sql, false, 4);
    const vb::Variant mai = Fc().ValData(vb::Variant("31/12/9999"), true);
    while (!rs.FineRec(k)) {
      ChiaveLotto l{psArticolo,           Campo(rs, k, "GruppoCliFor"), Campo(rs, k, "MastroCliFor"),
                    Campo(rs, k, "ContoCliFor"), Campo(rs, k, "Lotto"), CampoInt(rs, k, "NrProgLotto")};
      GiacenzaLotto q;
      const vb::Variant r =
          CalcGiacLotto(psMagaScar, l, q, psTipoFileEscl, piAnno, plNumReg, plRigLiv, "");
      // A failure (the integer -1, already shown) lists nothing.
      const bool fallita = r.VarType() == vb::vbInteger;
      const double giac = r.ToDouble();
      if (!fallita && FunVarie::ArrotConfronta(giac, 0.0, -8) == 1) {
        ++n;
        const vb::Variant scad = rs.LeggiCampoNull(k, "DataScadenza");
        const vb::Variant prod = rs.LeggiCampoNull(k, "DataProduzione");
        std::string ins =
            "INSERT INTO AppoggioTemp(Utente,IdProgramma,IdCampo,Valorestringa,Valorenumero,Valoredata,"
            "AppoStringa0,AppoStringa1,AppoStringa2,AppoStringa3,AppoInte0,AppoDouble0,AppoData0) VALUES (" +
            Tx(utente) + "," + Tx(lista) + "," + Tx(std::to_string(n)) + "," + Tx(l.lotto) + "," + Dbl(0.0) + "," +
            Fc().ValoreSql(Fc().Vuoto(scad, vb::vbDate, 1, false) ? mai : scad, vb::vbDate) + "," +
            Tx(psArticolo) + "," + Tx(l.gruppo + "-" + l.mastro + "-" + l.conto) + "," +
            Tx(Campo(rs, k, "RagSocForn")) + "," + Tx(Campo(rs, k, "Lotti.Descrizione")) + "," + In(l.nrProg) +
            "," + Dbl(giac) + (prod.IsNull() ? ",Null" : "," + Fc().ValoreSql(prod, vb::vbDate)) + ")";
        Db().EseguiSql(Conn(), ins);
      }
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
    trans->Conferma();
  } catch (const vb::Errore& e) {
    Chiudi(rs, k);
    // The lots listed so far stay listed.
    if (trans) {
      try {
        trans->Conferma();
      } catch (const vb::Errore&) {
      }
    }
    Avvisi::MsgErrfrm(e);
  }
  return n;
}

bool CaricaLottiRiga(const std::string& psTipoFile, const std::string& psTabTracc, int16_t piAnno,
                     int32_t plNumReg, int32_t plRigLiv) {
  const std::string& t = psTabTracc;
  const std::string utente = servizi::UtenteMenu();
  const std::string lista = NomeListaLottiSel(psTipoFile);
  dati::GestRecordset rs;
  std::string k, kl;
  try {
    const std::string sql =
        "Select " + t + ".*, Lotti.*, Pianoconti.Descrizione as RagForn From (" + t + " Left Join Lotti" +
        " ON Lotti.GruppoCliFor = " + t + ".GruppoCliFor And Lotti.MastroCliFor = " + t + ".MastroCliFor" +
        " And Lotti.ContoCliFor = " + t + ".ContoCliFor And Lotti.Articolo = " + t + ".Articolo" +
        " And Lotti.Lotto = " + t + ".Lotto And Lotti.NrProgLotto = " + t + ".NrProgLotto)" +
        " Left Join Pianoconti On Pianoconti.Gruppo = " + t + ".GruppoCliFor" + " And Pianoconti.Mastro = " + t +
        ".MastroCliFor And Pianoconti.Conto = " + t + ".ContoCliFor Where " + t + ".Anno = " + In(piAnno) +
        " AND " + t + ".NumReg = " + Lo(plNumReg) + " AND " + t + ".RigLiv = " + Lo(plRigLiv);
    k = rs.ApriRecordset(Db(), Conn(), "", sql, false, 4);
    int prossimo = 9999;
    while (!rs.FineRec(k)) {
      const std::string lotto = Campo(rs, k, t + ".Lotto");
      const int16_t nr = CampoInt(rs, k, t + ".NrProgLotto");
      const std::string articolo = Campo(rs, k, t + ".Articolo");
      const std::string conto = Campo(rs, k, t + ".GruppoCliFor") + "-" + Campo(rs, k, t + ".MastroCliFor") +
                                "-" + Campo(rs, k, t + ".ContoCliFor");
      const double qta = Num(rs.LeggiCampoNull(k, t + ".Qta"));
      kl = rs.ApriRecordset(Db(), Conn(), "",
                            SqlLista(psTipoFile, "Select *",
                                     " AND Valorestringa = " + Tx(lotto) + " AND AppoInte0 = " + In(nr) +
                                         " AND AppoStringa0 = " + Tx(articolo) + " AND AppoStringa1 = " +
                                         Tx(conto)),
                            false, 2);
      if (rs.NessunRecord(kl)) {
        rs.NuovoRecord(kl);
        rs.ScriviCampo(kl, "Utente", utente);
        rs.ScriviCampo(kl, "IdProgramma", lista);
        rs.ScriviCampo(kl, "Valorestringa", lotto);
        rs.ScriviCampo(kl, "AppoInte0", nr);
        rs.ScriviCampo(kl, "AppoStringa0", articolo);
        rs.ScriviCampo(kl, "AppoStringa1", conto);
        rs.ScriviCampo(kl, "IdCampo", std::to_string(prossimo));
        const vb::Variant scad = rs.LeggiCampoNull(k, "Lotti.DataScadenza");
        rs.ScriviCampo(kl, "Valoredata",
                       Fc().Vuoto(scad, vb::vbDate, 1, false) ? Fc().ValData(vb::Variant("31/12/9999"), true) : scad);
        rs.ScriviCampo(kl, "AppoStringa2", Campo(rs, k, "RagForn"));
        rs.ScriviCampo(kl, "AppoStringa3", Campo(rs, k, "Lotti.Descrizione"));
        const vb::Variant prod = rs.LeggiCampoNull(k, "Lotti.DataProduzione");
        if (!prod.IsNull()) rs.ScriviCampo(kl, "AppoData0", prod);
        rs.ScriviCampo(kl, "Valorenumero", qta);
        rs.ScriviCampo(kl, "AppoDouble0", qta);
        if (vb::UgualeTesto(Campo(rs, k, "Lotti.Chiuso"), "F")) rs.ScriviCampo(kl, "AppoStringa4", "*");
        rs.SalvaRecord(kl);
        --prossimo;
      } else {
        rs.ModificaRecord(kl);
        rs.ScriviCampo(kl, "Valorenumero", qta);
        rs.SalvaRecord(kl);
      }
      rs.ChiudiRecordset(kl);
      kl.clear();
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
    return true;
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    Chiudi(rs, kl);
    Chiudi(rs, k);
    return false;
  }
}

// ------------------------------------------------------ spreading, writing

void RipartQtaLotti(const std::string& psTipoFile, double pdQta, const std::string& psOrdine) {
  dati::GestRecordset rs;
  std::string k;
  try {
    double resto = pdQta;
    const std::string ordine = vb::UgualeTesto(psOrdine, "Q") ? " Order by AppoDouble0, Valoredata, AppoData0"
                                                              : " Order by Valoredata, AppoData0, AppoDouble0";
    // The key goes with the two quantities: the rows are written back.
    k = rs.ApriRecordset(Db(), Conn(), "",
                         SqlLista(psTipoFile, "Select Valorenumero, AppoDouble0, Utente, IdProgramma, IdCampo", ordine),
                         false, 2);
    while (!rs.FineRec(k)) {
      if (FunVarie::ArrotConfronta(resto, 0.0, -8) != 1) break;
      rs.ModificaRecord(k);
      const double disp = Num(rs.LeggiCampoNull(k, "AppoDouble0"));
      if (FunVarie::ArrotConfronta(resto, disp, -8) == 1) {
        rs.ScriviCampo(k, "Valorenumero", disp);
        resto -= disp;
      } else {
        rs.ScriviCampo(k, "Valorenumero", resto);
        resto = 0;
      }
      rs.SalvaRecord(k);
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    Chiudi(rs, k);
  }
}

bool ScriviLottiSel(const std::string& psTipoFile, const std::string& psTabTracc, int16_t piAnno, int32_t plNumReg,
                    int32_t plRigLiv, bool pbMessaggi, const std::string& psTipOpe, const std::string& psMagaScar,
                    const std::string& psMagaCar) {
  const bool stati = !vb::UgualeTesto(psTabTracc, "MovProdRintraccia");
  dati::GestRecordset rs;
  std::string k, kr;
  try {
    k = rs.ApriRecordset(Db(), Conn(), "", SqlLista(psTipoFile, "Select *", " AND Valorenumero > 0"), false, 2);
    if (rs.NessunRecord(k)) {
      bool esito = true;
      if (pbMessaggi &&
          frmMsgCom::msgCom("Non è stata selezionata nessuna quantità\r\nSi conferma l'uscita?", "&Ok",
                            vb::Variant("&Annulla"), vb::Missing, vb::Variant("Lista lotti"), 80, false, 600,
                            vb::Missing, 2) == 2)
        esito = false;
      rs.ChiudiRecordset(k);
      return esito;
    }
    // The old rows, the new ones and the states they give the lots stand or
    // fall together: a row half written would be stock that is not there.
    UtilDocFattGest::TransDocumento trans;
    kr = rs.ApriRecordset(Db(), Conn(), "",
                          "Select * from " + psTabTracc + " Where Anno = " + In(piAnno) + " AND NumReg = " +
                              Lo(plNumReg) + " AND RigLiv = " + Lo(plRigLiv),
                          false, 2);
    while (!rs.NessunRecord(kr)) {
      rs.PrimoRec(kr);
      if (rs.FineRec(kr)) break;
      if (stati) {
        ChiaveLotto l{Campo(rs, kr, "Articolo"), Campo(rs, kr, "GruppoCliFor"), Campo(rs, kr, "MastroCliFor"),
                      Campo(rs, kr, "ContoCliFor"), Campo(rs, kr, "Lotto"), CampoInt(rs, kr, "NrProgLotto")};
        AggStatoLotto(psTipOpe, psMagaScar, psMagaCar, l, piAnno, plNumReg, plRigLiv, psTipoFile, 0, "");
      }
      rs.CancellaRecord(kr);
    }
    rs.ChiudiRecordset(kr);
    kr.clear();
    while (!rs.FineRec(k)) {
      ChiaveLotto l;
      AziendaUtil::DividiConto(Campo(rs, k, "AppoStringa1"), l.gruppo, l.mastro, l.conto);
      l.articolo = Campo(rs, k, "AppoStringa0");
      l.lotto = Campo(rs, k, "Valorestringa");
      l.nrProg = CampoInt(rs, k, "AppoInte0");
      const double qta = Num(rs.LeggiCampoNull(k, "Valorenumero"));
      Db().EseguiSql(Conn(), "INSERT INTO " + psTabTracc +
                                 "(Anno,NumReg,RigLiv,Articolo,GruppoCliFor,MastroCliFor,ContoCliFor,Lotto,"
                                 "NrProgLotto,Qta,TipOpe) VALUES (" +
                                 In(piAnno) + "," + Lo(plNumReg) + "," + Lo(plRigLiv) + "," + Tx(l.articolo) + "," +
                                 Tx(l.gruppo) + "," + Tx(l.mastro) + "," + Tx(l.conto) + "," + Tx(l.lotto) + "," +
                                 In(l.nrProg) + "," + Dbl(qta) + "," + Tx(psTipOpe) + ")");
      if (stati) AggStatoLotto(psTipOpe, psMagaScar, psMagaCar, l, piAnno, plNumReg, plRigLiv, psTipoFile, qta, "");
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
    k.clear();
    trans.Conferma();
    return true;
  } catch (const vb::Errore& e) {
    Chiudi(rs, kr);
    Chiudi(rs, k);
    Avvisi::MsgErrfrm(e);
    return false;
  }
}

}  // namespace UtilLotto
