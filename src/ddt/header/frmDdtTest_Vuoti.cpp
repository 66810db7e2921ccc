// The deposit lines: the returnable packaging the DDT's lines carry,
// rebuilt as lines of their own. The command works on the committed lines
// of the shown DDT while no sub-window is open: it holds the DDT's lock so
// that no line or expense window of another program works on it meanwhile,
// and it deletes, renumbers and creates inside one transaction, so that
// the lines are either all as before or all rebuilt.
#include <vector>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"
#include "services/ComLock.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Anno(const frmDdtTest& f) { return FC().ValoreSql(vb::Variant(f.txt(20).Text()), vb::vbInteger); }
std::string Numero(const frmDdtTest& f) { return FC().ValoreSql(vb::Variant(f.txt(10).Text()), vb::vbLong); }
std::string Tx(const std::string& s) { return FC().ValoreSql(vb::Variant(s), vb::vbString); }
std::string Nu(double d) { return FC().ValoreSql(vb::Variant(d), vb::vbDouble); }

// The deposit lines the command replaces: article lines of the DDT with a
// positive quantity whose article is itself a deposit article.
std::string CondDaSostituire(const frmDdtTest& f, const std::string& t) {
  return " where " + t + ".Anno = " + Anno(f) + " AND " + t + ".NumRif = " + Numero(f) + " AND " + t +
         ".TipoRiga = " + Tx("A") + " AND " + t + ".Qta > 0" + " AND Articoli.Cauzione = 'S'";
}

// The rows kept under a line's stable key in the other tables of the DDT
// (levels, serial numbers, lot rows) go with the deposit lines: a key given
// again to a new line must find nothing of the old one.
void CancellaCollegate(const frmDdtTest& f) {
  const Globali& g = G();
  const std::string& t = g.gsTabDett;
  const std::string righe = "(Select " + t + ".RigLiv from " + t + " inner join Articoli" + " On " + t +
                            ".Articolo = Articoli.Articolo" + CondDaSostituire(f, t) + ")";
  struct Collegata {
    const std::string& tabella;
    const char* colNumero;
  };
  for (const Collegata& c : {Collegata{g.gsTabLiv, "NumRif"}, Collegata{g.gsTabMatr, "NumRif"},
                             Collegata{g.gsTabRintraccia, "NumReg"}}) {
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Delete from " + c.tabella + " Where Anno = " + Anno(f) + " AND " +
                                                  c.colNumero + " = " + Numero(f) + " AND RigLiv In " + righe);
  }
}

// The packaging articles the article lines carry and how many packages
// each needs, in the order of first appearance.
struct Imballi {
  std::vector<std::string> codici;
  std::vector<double> colli;
};

}  // namespace

void frmDdtTest::CalcVuoti() {
  if (!mbGestVuotiCauz) return;
  // A stored DDT only: a new one has no committed lines yet.
  if (!HaBarra() || ogComPag().oiFlagOpe() != 1) return;
  // The lines are rebuilt from the stored DDT and the header shown again
  // afterwards: pending changes would be lost, or saved unasked.
  if (InVar()) {
    frmMsgCom::msgCom("Salvare la testata prima di ricalcolare le cauzioni", "&Ok");
    return;
  }
  if (frmMsgCom::msgCom("Confermi ricalcolo cauzione", "&Ok", vb::Variant("&Annulla")) == 2) return;
  FunVarie::Clessidra(-1);

  const Globali& g = G();
  const int16_t anno = FC().ValInt(vb::Variant(txt(20).Text()), true, true);
  const int32_t numRif = static_cast<int32_t>(FC().ValDouble(vb::Variant(txt(10).Text()), true));
  // The lock first, outside the transaction, so that the others see it at
  // once: a DDT whose lines or expenses are open elsewhere is refused (the
  // lock routine says by whom) and nothing is written.
  std::string chiave, utente, varie, gestione = vb::Trim(g.gsTipoDoc);
  int16_t nuovo = -1;
  if (ComLock::BloccaDoc("S", g.gsTipoDoc, anno, numRif, nuovo, -1, chiave, "Il DDT", utente, gestione, varie) !=
      ComLock::kBloccoPreso) {
    if (!chiave.empty()) ComLock::SbloccaDoc(&chiave, -1);
    FunVarie::Clessidra(0);
    return;
  }
  auto sblocca = [&] {
    ComLock::SbloccaDoc(&chiave, -1);
    FunVarie::Clessidra(0);
  };

  bool inTrans = false;
  bool creati = false;
  try {
    const std::string& t = g.gsTabDett;
    utilprg::TransInizio(0, -1, nullptr, -1, "");
    inTrans = true;
    CancellaCollegate(*this);
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Delete " + t + ".* from " + t + " inner join Articoli" + " On " + t +
                                                  ".Articolo = Articoli.Articolo" + CondDaSostituire(*this, t));

    Imballi imballi;
    {
      const std::string sql = "Select " + t + ".*, Articoli.PezziPerConf, Articoli.ArtImballo" + "  from " + t +
                              " inner join Articoli" + " On " + t + ".Articolo = Articoli.Articolo" + " where " + t +
                              ".Anno = " + Anno(*this) + " AND " + t + ".NumRif = " + Numero(*this) + " AND " + t +
                              ".TipoRiga = " + Tx("A") + " AND not isnull(Articoli.ArtImballo)";
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
      try {
        if (!rs.NessunRecord(k)) {
          imballi.codici.push_back(servizi::Testo(rs.LeggiCampo(k, "ArtImballo")));
          imballi.colli.push_back(0);
        }
        for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
          const std::string codice = servizi::Testo(rs.LeggiCampo(k, "ArtImballo"));
          const double pezzi = FC().ValDouble(rs.LeggiCampo(k, "PezziPerConf"));
          const double qta = FC().ValDouble(rs.LeggiCampo(k, "Qta"));
          // Each line rounded up to whole packages on its own.
          const double colli = FC().Arrotonda(FunVarie::ArrotConfronta(pezzi, 0.0, -8) != 0 ? qta / pezzi : qta, "S", 1);
          size_t i = 0;
          while (i < imballi.codici.size() && !vb::UgualeTesto(imballi.codici[i], codice)) ++i;
          if (i == imballi.codici.size()) {
            imballi.codici.push_back(codice);
            imballi.colli.push_back(colli);
          } else {
            imballi.colli[i] += colli;
          }
        }
      } catch (...) {
        rs.ChiudiRecordset(k);
        throw;
      }
      rs.ChiudiRecordset(k);
    }

    if (!imballi.codici.empty()) {
      int32_t rigDet = 0, rigLiv = 0;
      RenumRigheDet(rigDet, rigLiv);
      for (size_t i = 0; i < imballi.codici.size(); ++i) CreoArtVuoto(imballi.codici[i], imballi.colli[i], rigDet, rigLiv);
      creati = true;
    }
    utilprg::TransConferma(0, -1, nullptr, -1, "");
    inTrans = false;
  } catch (const vb::Errore& e) {
    if (inTrans) {
      try {
        utilprg::TransAnnulla(0, -1, nullptr, -1, "");
      } catch (const vb::Errore&) {
      }
    }
    sblocca();
    frmMsgCom::MsgErrfrm(e);
    return;
  } catch (...) {
    if (inTrans) {
      try {
        utilprg::TransAnnulla(0, -1, nullptr, -1, "");
      } catch (...) {
      }
    }
    sblocca();
    throw;
  }

  // No article line carries packaging: the deposit lines are gone, the
  // footer and the header stay as they were.
  if (!creati) {
    sblocca();
    return;
  }

  try {
    if (AggPiede(false)) ButtonComando("Salva");
    // Shown again as stored, unless the save was refused: then the window
    // keeps what it shows, changes included, for the user to decide.
    if (!InVar()) {
      barre::BarraRecord& barra = ogComPag();
      const vb::Variant msgAnn = barra.LeggiVarBarra("MsgAnn", 12);
      barra.ScriviVarBarra("MsgAnn", 12, vb::Variant("N"));
      try {
        ButtonComando("Annulla");
      } catch (...) {
        barra.ScriviVarBarra("MsgAnn", 12, msgAnn);
        throw;
      }
      barra.ScriviVarBarra("MsgAnn", 12, msgAnn);
    }
  } catch (const vb::Errore& e) {
    sblocca();
    frmMsgCom::MsgErrfrm(e);
    return;
  }
  sblocca();
  try {
    if (ui::Controllo* attivo = ActiveControl(); attivo && vb::UgualeTesto(attivo->Name(), "txt"))
      txt_GotFocus(attivo->Index());
  } catch (...) {
  }
}

void frmDdtTest::RenumRigheDet(int32_t& plRigDet, int32_t& plRigLiv) {
  const Globali& g = G();
  const std::string& t = g.gsTabDett;
  const std::string sql = "Select " + t + ".*" + " from " + t + " Where " + t + ".Anno = " + Anno(*this) + " AND " +
                          t + ".NumRif = " + Numero(*this) + " Order by Anno, Numrif, RigDet";
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 2);
  plRigDet = 0;
  plRigLiv = 0;
  try {
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      const int32_t rigLiv = FC().ValLong(rs.LeggiCampo(k, "RigLiv"));
      if (rigLiv > plRigLiv) plRigLiv = rigLiv;
      if (plRigDet == INT32_MAX) vb::Solleva(vb::ErrOverflow, "Troppe righe nel DDT");
      ++plRigDet;
      rs.ModificaRecord(k);
      rs.ScriviCampo(k, "RigDet", vb::Variant(plRigDet));
      rs.SalvaRecord(k);
    }
  } catch (...) {
    rs.ChiudiRecordset(k);
    throw;
  }
  rs.ChiudiRecordset(k);
}

void frmDdtTest::CreoArtVuoto(const std::string& psArticolo, double pdQta, int32_t& plRigDet, int32_t& plRigLiv) {
  const Globali& g = G();
  dati::GestDatabase& db = *g.goDbAzienda;
  dati::GestRecordset rs;

  // The packaging article.
  std::string um, iva, gruppo, mastro, conto;
  double fatCon = 1;
  {
    const std::string k =
        rs.ApriRecordset(db, g.gsConnAzienda, "", "Select * from Articoli Where Articolo = " + Tx(psArticolo), false, 4);
    if (rs.NessunRecord(k)) {
      rs.ChiudiRecordset(k);
      vb::Solleva(vb::ErrChiamataNonValida, "L'articolo cauzione " + psArticolo + " non esiste in anagrafica");
    }
    um = servizi::Testo(rs.LeggiCampo(k, "ArtUMVen"));
    iva = servizi::Testo(rs.LeggiCampo(k, "IvaVendite"));
    const double fatConVen = FC().ValDouble(rs.LeggiCampo(k, "FatConVen"));
    if (fatConVen > 0) fatCon = FC().ValDouble(vb::Variant(Nu(fatConVen)));
    const vb::Variant gruppoArt = rs.LeggiCampoNull(k, "GruppoMerVen");
    if (!FC().Vuoto(gruppoArt)) {
      gruppo = servizi::Testo(gruppoArt);
      mastro = servizi::Testo(rs.LeggiCampo(k, "MastroMerVen"));
      conto = servizi::Testo(rs.LeggiCampo(k, "ContoMerVen"));
    } else {
      gruppo = servizi::Testo(servizi::ParamDitta("CauCon.GruppoVen", vb::Variant("")));
      mastro = servizi::Testo(servizi::ParamDitta("CauCon.MastroVen", vb::Variant("")));
      conto = servizi::Testo(servizi::ParamDitta("CauCon.ContoVen", vb::Variant("")));
    }
    rs.ChiudiRecordset(k);
  }
  if (plRigDet == INT32_MAX || plRigLiv == INT32_MAX) vb::Solleva(vb::ErrOverflow, "Troppe righe nel DDT");
  ++plRigDet;
  ++plRigLiv;

  int16_t annoEs = 0;
  std::string msg;
  AziendaUtil::CalcAnnoEsercizio(FC().ValData(vb::Variant(txt(30).Text()), true), annoEs, msg);

  double aliquota = 0;
  {
    const std::string k =
        rs.ApriRecordset(db, g.gsConnAzienda, "", "Select * from TabIva Where Iva = " + Tx(iva), false, 4);
    if (!rs.NessunRecord(k)) aliquota = FC().ValDouble(rs.LeggiCampo(k, "Aliquota"));
    rs.ChiudiRecordset(k);
  }

  // A list kept in another currency than the DDT's is brought into it by
  // the search at the header's rate.
  const double cambio = FC().ValDouble(vb::Variant(txt(410).Text()), true);
  // The price of the header's list; else the base list's, which is in
  // euro and goes into the document currency.
  auto cerca = [&](const std::string& listino, const std::string& ivato, const std::string& moneta) {
    std::string sconto, modo;
    const vb::Variant p = UtilDocFattGest::RicPrezzo("L", txt(86).Text(), txt(80).Text(), annoEs, psArticolo, listino,
                                                     ivato, txt(210).Text(), txt(30).Text(), moneta,
                                                     miNumDecMonGes, fatCon, um, aliquota, sconto, modo, vb::Missing,
                                                     vb::Missing, vb::Missing, vb::Variant(cambio), vb::Variant(msMonOper));
    // A failed search has shown why and gives no number: the command stops.
    if (p.IsEmpty() || p.IsNull() || (p.IsString() && vb::Trim(p.ToString()).empty()))
      vb::Solleva(vb::ErrTipoNonCorrisp, "Prezzo dell'articolo cauzione " + psArticolo + " non trovato");
    return FC().ValDouble(p);
  };
  double prezzo = cerca(txt(200).Text(), msListIvato, txt(400).Text());
  if (prezzo == 0) {
    // Asked in the company currency, then converted once.
    prezzo = cerca(msListinoPrinc, msListinoPrincIvato, g.gsMonetaDitta);
    if (!vb::UgualeTesto(txt(400).Text(), g.gsMonetaDitta)) {
      double lire = 0, euro = 0, doc = 0;
      prezzo = AziendaUtil::ConvLireEuro(prezzo, FC().ValDouble(vb::Variant(txt(410).Text()), true), msMonOper,
                                         txt(400).Text(), lire, euro, doc, true, true, true, vb::Missing, vb::Missing,
                                         vb::Missing, false, false, "M", "E", vb::Missing);
    }
  }

  const double totale = FC().Arrotonda(pdQta * prezzo, "A", 1, -miNumDecMon);
  double lire = 0, euro = 0, doc = 0;
  AziendaUtil::ConvLireEuro(totale, FC().ValDouble(vb::Variant(txt(410).Text()), true), msMonOper, txt(400).Text(),
                            lire, euro, doc, true, true, true, vb::Missing, vb::Missing, vb::Missing, false, false, "E",
                            "E", vb::Missing);

  std::string cdc = "Null";
  {
    const std::string k = rs.ApriRecordset(db, g.gsConnAzienda, "",
                                           "Select * from PianoConti Where Gruppo = " + Tx(gruppo) +
                                               " And Mastro = " + Tx(mastro) + " And Conto = " + Tx(conto),
                                           false, 4);
    if (!rs.NessunRecord(k)) {
      const vb::Variant v = rs.LeggiCampoNull(k, "CDC");
      if (!FC().Vuoto(v)) cdc = Tx(servizi::Testo(v));
    }
    rs.ChiudiRecordset(k);
  }

  const std::string sql =
      "Insert into " + g.gsTabDett +
      " (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, UM, Qta, FatCon, ValUnitario, FlScontoPag, ValTotale, "
      "ValLire, ValEuro, Iva, Omaggio, DoveStampoDesLung, Promozione, GruppoVen, MastroVen, ContoVen, "
      "CentroDiCosto, PercProvv1, PercProvv2, NotaSopraStamp, NotaSottoStamp, SoggRitAcc) Values ( " +
      Anno(*this) + ", " + Numero(*this) + ", " + FC().ValoreSql(vb::Variant(plRigDet), vb::vbLong) + ", " +
      FC().ValoreSql(vb::Variant(plRigLiv), vb::vbLong) + ", " + Tx("A") + ", " + Tx(psArticolo) + ", " + Tx(um) +
      ", " + Nu(pdQta) + ", " + Nu(fatCon) + ", " + Nu(prezzo) + ", " + Tx("N") + ", " + Nu(totale) + ", " +
      Nu(lire) + ", " + Nu(euro) + ", " + Tx(iva) + ", " + Tx("N") + ", " + Tx("0") + ", " + Tx("N") + ", " +
      Tx(gruppo) + ", " + Tx(mastro) + ", " + Tx(conto) + ", " + cdc + ", " + Nu(0) + ", " + Nu(0) + ", " + Tx("N") +
      ", " + Tx("N") + ", " + Tx("S") + ")";
  db.EseguiSql(g.gsConnAzienda, sql);
}
