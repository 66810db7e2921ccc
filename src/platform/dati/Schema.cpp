#include "platform/dati/Schema.h"

#include <cctype>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/RuntimeServer.h"

namespace dati {

namespace {

// A column is written "Name:kind" or "Name:t:length". Kinds:
//   t text, m memo, b byte, i 16-bit integer, l 32-bit long, d double,
//   c amount (four-decimal fixed point), dt date, sn Yes/No flag;
// and the texts of this database by what they hold:
//   f one letter ("S"/"N" flags, states, kinds), cod code of a master table
//   (10), art article code (30), des description (100), sco discount chain
//   "10+5-3" (30), rs name or address line (60).
// The "S"/"N" flags of this database are texts (f): only a column the
// program compares with True/False is a real flag (sn).
using Campi = std::vector<std::string>;

Campi operator+(Campi a, const Campi& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Prefix1 .. PrefixN, all of one kind: "DescPers", 1, 3, "t:50".
Campi Serie(const std::string& prefisso, int da, int a, const std::string& tipo) {
  Campi c;
  for (int i = da; i <= a; ++i) c.push_back(prefisso + std::to_string(i) + ":" + tipo);
  return c;
}

// Account triple: Gruppo + Mastro (two characters each) + Conto, with the
// suffix the table gives them ("Cli" -> GruppoCli, MastroCli, ContoCli).
// "~ç" and "~ç~", the "any account" markers of the rule tables, fit.
Campi Conto3(const std::string& suffisso = "") {
  return {"Gruppo" + suffisso + ":t:2", "Mastro" + suffisso + ":t:2", "Conto" + suffisso + ":t:10"};
}

ColonnaCat Colonna(const std::string& descr) {
  ColonnaCat c;
  size_t p1 = descr.find(':');
  if (p1 == std::string::npos) throw std::logic_error("colonna senza tipo: " + descr);
  c.nome = descr.substr(0, p1);
  size_t p2 = descr.find(':', p1 + 1);
  std::string tipo = descr.substr(p1 + 1, p2 == std::string::npos ? std::string::npos : p2 - p1 - 1);
  static const std::pair<const char*, int> testi[] = {{"f", 1},   {"cod", 10}, {"art", 30},
                                                       {"des", 100}, {"sco", 30}, {"rs", 60}};
  for (const auto& [alias, lunghezza] : testi) {
    if (tipo == alias && p2 == std::string::npos) {
      c.tipo = TipoCampo::Testo;
      c.lunghezza = lunghezza;
      return c;
    }
  }
  if (tipo == "t") {
    c.tipo = TipoCampo::Testo;
    c.lunghezza = p2 == std::string::npos ? 255 : std::stoi(descr.substr(p2 + 1));
  } else if (tipo == "m") {
    c.tipo = TipoCampo::Memo;
  } else if (tipo == "b") {
    c.tipo = TipoCampo::Byte;
  } else if (tipo == "i") {
    c.tipo = TipoCampo::Intero;
  } else if (tipo == "l") {
    c.tipo = TipoCampo::Lungo;
  } else if (tipo == "d") {
    c.tipo = TipoCampo::Doppio;
  } else if (tipo == "c") {
    c.tipo = TipoCampo::Importo;
  } else if (tipo == "dt") {
    c.tipo = TipoCampo::Data;
  } else if (tipo == "sn") {
    c.tipo = TipoCampo::SiNo;
  } else {
    throw std::logic_error("tipo di colonna sconosciuto: " + descr);
  }
  return c;
}

TabellaCat Tab(const std::string& nome, const Campi& campi, const std::vector<std::string>& chiave,
               const std::vector<std::vector<std::string>>& uniche = {}) {
  TabellaCat t;
  t.nome = nome;
  for (const auto& s : campi) t.colonne.push_back(Colonna(s));
  t.chiave = chiave;
  t.uniche = uniche;
  // Key columns can hold no Null: the legacy engine refused it as well.
  for (const auto& k : chiave) {
    int i = t.Colonna(k);
    if (i >= 0) t.colonne[static_cast<size_t>(i)].obbligatoria = true;
  }
  return t;
}

// Working copy: the same columns, keys and indexes under another name.
TabellaCat Gemella(const TabellaCat& t, const std::string& nome) {
  TabellaCat g = t;
  g.nome = nome;
  return g;
}

// ---- column groups shared by several tables ----

Campi Indirizzo(const std::string& suffisso = "") {
  return {"Indirizzo" + suffisso + ":rs", "CAP" + suffisso + ":t:10", "Localita" + suffisso + ":t:50",
          "Pr" + suffisso + ":t:5"};
}

// Header of a document of the DDT family. The invoice, order and quote
// headers share the layout (the footer engine runs the same query on all of
// them); a purchase order names its supplier with the "For" triple.
Campi Testata(const std::string& intestatario) {
  return Campi{"Anno:i", "NumRif:l", "DataRif:dt", "NumMovim:l", "AnnoMovim:i", "NumMovimRientro:l",
               "AnnoMovimRientro:i", "FattDocumento:cod", "PreDoc:f", "NumDoc:l", "DataDoc:dt",
               "Stato:f"} +
         Conto3(intestatario) +
         Campi{"Tipo:f", "RifCli:t:50", "Iva:cod", "IvaSosp:f", "DaFatturare:f",
               "Listino:cod", "PrezziIvati:f", "Moneta:cod", "Cambio:d",
               "Pagamento:cod", "RagRB:f", "RagOrd:f", "Banca:cod", "Acconto:c",
               "ScontoCli:sco", "ScontoPag:sco", "ScoPagSuDett:f", "RagDDT:f",
               "PrezzoDDT:f", "MagazzProv:cod",
               // the destination store, or for other DDTs the addressee's account as text
               "MagazzDest:t:20", "TipoProvv:f", "TipoProvv2:f", "Agente1:cod",
               "Agente2:cod", "PercProvv1:d", "PercProvv2:d", "Lingua:cod",
               "NumNota1:cod", "NumNota2:cod", "NumNota3:cod", "IndSped:cod",
               "RagSoc:rs", "RagSoc2:rs", "IndirizzoSped:rs", "CAPSped:t:10",
               "LocalitaSped:t:50", "PrSped:t:5", "StatoSped:t:30", "AspettoBene:cod",
               "DescAspetto:t:50", "CauTrasporto:cod", "DescCauTrasporto:t:50", "Resa:cod",
               "DescResa:t:50", "Trasporto:cod", "DescTrasporto:t:50", "Vettore:cod",
               "RagSocVett:rs", "IndirizzoVett:rs", "CAPVett:t:10", "LocalitaVett:t:50",
               "PrVett:t:5", "TargaVett:t:20", "Nota:m", "StampoNota:f", "EvasioneNota:f",
               // the two times are Date values holding only the time of day
               "DataRitiroMerce:dt", "OraRitiroMerce:dt", "DataInizioTrasp:dt", "OraInizioTrasp:dt", "Colli:d",
               "Peso:d", "Interno:f", "Provenienza:f", "Trasferito:cod"} +
         Serie("LiberoTest", 1, 4, "t:50") +
         Campi{"PercRitAcc:d", "ImponRitAcc:c", "TotMerce:c", "TotSpese:c", "TotIva:c", "TotDocum:c",
               "TotImpon:c"} +
         Serie("DescPers", 1, 3, "t:50") +
         Campi{"Contratto:t:20", "CIG:t:20", "CUP:t:20", "OrdAnno:i", "OrdNumRif:l", "AnnoMovProd:i",
               "NumMovProd:l", "AnnoMovDiBa:i", "NumMovDiBa:l", "PdcDicIntenti:i", "Bolli:f"};
}

// Line of a document: RigDet is the display order (renumbered, moved in
// bands of 10000 while lines are shifted), RigLiv the stable line key.
Campi Dettaglio() {
  return Campi{"Anno:i", "NumRif:l", "RigDet:i", "RigLiv:l", "TipoRiga:f", "Articolo:art",
               "Descrizione:des", "Comando:t:10", "Qta:d", "Colli:d", "UM:cod", "FatCon:d",
               "ValUnitario:c", "ValTotale:c", "ValLire:c", "ValEuro:c", "FlScontoPag:f",
               "ScontoTot:sco", "ScontoTab:sco", "ScontoCli:sco",
               "ScontoArt:sco", "ScontoQuant:sco", "Iva:cod"} +
         Conto3("Ven") +
         Campi{"CentroDiCosto:cod", "Omaggio:f", "Promozione:f", "PercProvv1:d",
               "PercProvv2:d", "BeneUsato:t:20", "DoveStampoDesLung:f", "NotaSopraStamp:f",
               "NotaSopra:m", "NotaSottoStamp:f", "NotaSotto:m", "TipoProv:f",
               "FattDocumentoProv:cod", "AnnoRifProv:i", "NumRifProv:l", "RigaRifProv:l", "QtaProv:d",
               "CompGiornMens:f", "DataCompDa:dt", "DataCompA:dt"} +
         Serie("DescPers", 1, 4, "t:50") +
         Campi{"SoggRitAcc:f", "RigLivRAEE:l", "Contratto:t:20", "Lunghezza:d", "Larghezza:d",
               "Altezza:d", "StatoRiga:f", "CopiaTaglia:l"};
}


// Level rows: quantities and values of one line per pair of variant levels
// ("~ç~" where the article has no such level).
Campi Livelli() {
  return {"Anno:i", "NumRif:l", "RigLiv:l", "Livello1:cod", "Livello2:cod", "RigLivOrig:l",
          "UM:cod", "FatCon:d", "Qta:d", "ValUnitario:c", "ValTotale:c", "ScontoTot:sco",
          "FlagStato:f", "ValLire:c", "ValEuro:c", "QtaProv:d", "StatoRiga:f"};
}

Campi Spese() {
  return {"Anno:i", "NumRif:l", "Riga:i", "Spesa:cod", "Iva:cod", "Importo:c", "ImportoMin:c",
          "ImportoMax:c", "Percentuale:d", "SoggRitAcc:f"};
}

Campi Matricole(const std::string& numero) {
  return {"Anno:i", numero + ":l", "RigLiv:l", "Matricola:t:30", "TipOpe:f"};
}

// Lot rows of a document line (NumReg holds the DDT's or invoice's NumRif).
Campi Rintraccia() {
  return Campi{"Anno:i", "NumReg:l", "RigLiv:l", "Articolo:art"} + Conto3("CliFor") +
         Campi{"Lotto:t:30", "NrProgLotto:i", "Qta:d", "TipOpe:f", "DataReg:dt",
               "ArticoloProd:art"} +
         Conto3("Prod") + Campi{"LottoProd:t:30", "NrProgLottoProd:i"};
}

Campi MovDettaglio() {
  return Campi{"Anno:i", "NumReg:l", "RigReg:l", "RigLiv:l", "Articolo:art"} +
         Serie("DescPers", 1, 4, "t:50") +
         Campi{"Qta:d", "QtaAggMag:d", "UM:cod", "FatCon:d", "ValUnitario:c", "ValTotale:c", "ValLire:c",
               "ValEuro:c", "ValScarico:c", "ValScaricoLire:c", "ListDaAgg:cod",
               "ListDaAggClie:cod", "FlagStato:f"};
}

Campi MovLivelli() {
  return {"Anno:i", "NumReg:l", "RigLiv:l", "Livello1:cod", "Livello2:cod", "UM:cod",
          "FatCon:d", "Qta:d", "QtaAggMag:d", "ValUnitario:c", "ValTotale:c", "ValLire:c", "ValEuro:c",
          "ValScarico:c", "ValScaricoLire:c", "FlagStato:f"};
}

// A master table of code + description.
TabellaCat CodiceDescr(const std::string& tabella, const std::string& codice, const std::string& tipo = "cod") {
  return Tab(tabella, {codice + ":" + tipo, "Descrizione:des"}, {codice});
}

std::vector<TabellaCat> CostruisciDitta() {
  std::vector<TabellaCat> s;
  auto add = [&s](TabellaCat t) { s.push_back(std::move(t)); };
  // Lines: RigDet orders them, RigLiv (never renumbered) is unique as well.
  const std::vector<std::string> chiaveDett = {"Anno", "NumRif", "RigDet"};
  const std::vector<std::vector<std::string>> unicaDett = {{"Anno", "NumRif", "RigLiv"}};
  const std::vector<std::string> chiaveLiv = {"Anno", "NumRif", "RigLiv", "Livello1", "Livello2"};
  const std::vector<std::string> chiaveSpese = {"Anno", "NumRif", "Riga"};
  const std::vector<std::string> chiaveRintraccia = {
      "Anno", "NumReg", "RigLiv", "Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "Lotto", "NrProgLotto"};

  // ---- the DDT family and its working copies ----
  add(Tab("DdtTest", Testata("Cli"), {"Anno", "NumRif"}));
  add(Tab("DdtDett", Dettaglio(), chiaveDett, unicaDett));
  add(Gemella(s.back(), "DdtDettApp"));
  add(Tab("DdtLiv", Livelli(), chiaveLiv));
  add(Gemella(s.back(), "DdtLivApp"));
  add(Tab("DdtSpese", Spese(), chiaveSpese));
  add(Tab("DdtMatr", Matricole("NumRif"), {"Anno", "NumRif", "RigLiv", "Matricola"}));
  add(Gemella(s.back(), "DdtMatrApp"));
  add(Tab("DdtRintraccia", Rintraccia(), chiaveRintraccia));
  add(Gemella(s.back(), "DdtRintracciaApp"));
  add(Tab("NumerDdt", {"Anno:i", "Prefisso:f", "Numero:l", "Data:dt"}, {"Anno", "Prefisso"}));

  // ---- invoices, orders and quotes (read, and given back on deletion) ----
  add(Tab("FatTest",
          Testata("Cli") + Campi{"Abbuono:c", "Riepilogativa:f", "FattAccomp:f"},
          {"Anno", "NumRif"}));
  add(Tab("FatDett", Dettaglio(), chiaveDett, unicaDett));
  add(Gemella(s.back(), "FatDettApp"));
  add(Tab("FatLiv", Livelli(), chiaveLiv));
  add(Tab("FatSpese", Spese(), chiaveSpese));
  add(Tab("FattRintraccia", Rintraccia(), chiaveRintraccia));
  add(Gemella(s.back(), "FattRintracciaApp"));
  add(Tab("FatAccum", {"DDTAnno:i", "DDTNumRif:l", "FatAnno:i", "FatNumRif:l"},
          {"DDTAnno", "DDTNumRif", "FatAnno", "FatNumRif"}));
  add(Tab("OrdVenTest", Testata("Cli") + Campi{"OrdAperto:f"}, {"Anno", "NumRif"}));
  add(Tab("OrdVenDett", Dettaglio() + Campi{"QtaEvasa:d"}, chiaveDett, unicaDett));
  add(Tab("OrdVenLiv", Livelli() + Campi{"QtaEvasa:d"}, chiaveLiv));
  add(Tab("OrdVenSpese", Spese(), chiaveSpese));
  add(Tab("OrdAcqTes", Testata("For"), {"Anno", "NumRif"}));
  add(Tab("PreVenTest", Testata("Cli"), {"Anno", "NumRif"}));
  add(Tab("PrevTest", Testata("Cli"), {"Anno", "NumRif"}));

  // ---- warehouse movements ----
  add(Tab("MovMagTes",
          Campi{"Anno:i", "NumReg:l", "DataReg:dt", "MagCausale:cod", "MagazzinoProv:cod",
                "MagazzinoDest:cod", "Listino:cod", "Moneta:cod", "Cambio:d"} +
              Conto3("CliFor") +
              Campi{"PreDoc:f", "NumDoc:l", "DataDoc:dt", "ImportoSpese:c"},
          {"Anno", "NumReg"}));
  add(Tab("MovMagDett", MovDettaglio(), {"Anno", "NumReg", "RigLiv"}));
  add(Gemella(s.back(), "MovMagDettApp"));
  add(Tab("MovMagLiv", MovLivelli(), {"Anno", "NumReg", "RigLiv", "Livello1", "Livello2"}));
  add(Gemella(s.back(), "MovMagLivApp"));
  add(Tab("MovMagMatr", Matricole("NumReg"), {"Anno", "NumReg", "RigLiv", "Matricola"}));
  add(Tab("MovMagRintraccia", Rintraccia(), chiaveRintraccia));
  add(Gemella(s.back(), "MovMagRintracciaApp"));
  add(Gemella(s.back(), "MovProdRintraccia"));
  add(Tab("MagCausali",
          {"MagCausale:cod", "Descrizione:des", "QualeImporto:f", "TipoMov:f",
           "CarScar:f", "Segno:f", "Prov:f", "Dest:f", "QualeProgrQta:i",
           "AggMedioCar:f", "ValorizzScarico:f", "AggMedioPon:f", "AggCostoUlt:f",
           "AcqVen:f", "RipartSpese:f", "MagCausaleDiBa:cod",
           "MagScaricoComp:cod"},
          {"MagCausale"}));
  add(CodiceDescr("Magazzini", "Magazzino"));

  // ---- tables shared with the rest of the suite ----
  add(Tab("LockGest",
          {"Tipo:f", "Anno:i", "NumReg:l", "Utente:t:30", "Stato:f", "Ora:dt",
           "Gestione:cod", "Varie:t:50", "PadreTipo:f", "PadreAnno:i", "PadreNumReg:l"},
          {"Tipo", "Anno", "NumReg"}));
  add(Tab("DocDaElab",
          {"Utente:t:30", "Programma:t:50", "Anno:i", "NumReg:l", "DataOraEvas:dt", "Comando:f"},
          {"Utente", "Programma", "Anno", "NumReg"}));
  add(Tab("AppoggioTemp",
          Campi{"Utente:t:30", "IdProgramma:t:50", "IdCampo:t:20", "Valorestringa:t:255", "Valorenumero:d",
                "Valoredata:dt"} +
              Serie("AppoStringa", 0, 4, "t:255") + Campi{"AppoInte0:i", "AppoDouble0:d", "AppoData0:dt"},
          {"Utente", "IdProgramma", "IdCampo"}));
  add(Tab("Lotti",
          Campi{"Articolo:art"} + Conto3("CliFor") +
              Campi{"Lotto:t:30", "NrProgLotto:i", "DataScadenza:dt", "Descrizione:des",
                    "Categoria:cod", "Trattamento:cod", "Confezione:cod",
                    "Specie:cod", "DataProduzione:dt", "Chiuso:f"},
          {"Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "Lotto", "NrProgLotto"}));
  add(Tab("TabDecod", {"Chiave:f", "Codice:cod", "Descrizione:des"}, {"Chiave", "Codice"}));
  // Interface tables of other programs: kept as they are named there.
  add(Tab("0_RigheDdt",
          {"NUM_DDT:t:20", "DATA:dt", "ORA:dt", "COD_cliente:t:20", "Partita:t:50", "Lotto:t:50",
           "Peso_netto:d", "Num_colli:d", "trasporti_id:t:20", "TARGA:t:20", "Annullato:sn"},
          {}));
  add(Tab("0Rad_FileDaOrdi", Conto3("For") + Campi{"File:t:255"}, {"GruppoFor", "MastroFor", "ContoFor"}));

  // ---- articles, prices, discounts ----
  add(Tab("Articoli",
          Campi{"Articolo:art", "Descrizione:des", "DesLunga:m", "BarCode:t:30",
                "ArtUM:cod", "ArtUMAcq:cod", "ArtUMVen:cod", "FatConAcq:d", "FatConVen:d",
                "LivGruppo1:cod", "LivGruppo2:cod", "IvaVendite:cod",
                "IvaAcquisti:cod", "FlagLivLis:i", "Sconto:sco", "Provvigione:d",
                "PezziPerConf:d"} +
              Conto3("MerVen") + Conto3("MerVenSoci") + Conto3("MerAcq") + Conto3("ForAb") +
              Campi{"ArtGruppo:cod", "ArtSottoGru:cod", "Segnalazione:f",
                    "Settore:f", "TempoConsegna:t:50"} +
              Serie("ArtClasseAttr", 1, 5, "t:20") +
              Campi{"GestRintraccia:f", "Lunghezza:d", "Larghezza:d", "Altezza:d", "Cauzione:f",
                    "ArtRAEE:art", "Inattivo:f", "ScortaMinima:d", "Immagine:t:255",
                    "PesoLordo:d", "ArtImballo:art", "ArtMag:f", "Maggior:d", "DistBase:i"},
          {"Articolo"}));
  add(Tab("ArticoliFor",
          Campi{"Articolo:art", "Livello1:cod", "Livello2:cod"} + Conto3("For") +
              Campi{"DataUltAcq:dt", "CostoUltimo:c", "UltUM:cod", "Moneta:cod"},
          {"Articolo", "Livello1", "Livello2", "GruppoFor", "MastroFor", "ContoFor"}));
  add(Tab("ArticoliCosti",
          {"Anno:i", "Articolo:art", "Livello1:cod", "Livello2:cod", "MedioPonderale:c",
           "MedioPonderaleLire:c", "CMPValido:f", "CostoUltimo:c", "CostoUltimoLire:c",
           "DataCostoUltimo:dt", "CostoPiu:c", "CostoPiuLire:c", "DataCostoPiu:dt", "QtaAcquisti:d",
           "ValAcquisti:c", "ValAcquistiLire:c", "QtaVenduto:d", "ValVenduto:c", "ValVendutoLire:c",
           "QtaMedioC:d", "ValMedioC:c", "ValMedioCLire:c"},
          {"Anno", "Articolo", "Livello1", "Livello2"}));
  add(Tab("ArticoliProg",
          Campi{"Anno:i", "Magazzino:cod", "Articolo:art", "Livello1:cod",
                "Livello2:cod", "QtaIniziale:d", "ValIniziale:c", "ValInizialeLire:c", "QtaCarico:d",
                "ValCarico:c", "ValCaricoLire:c", "QtaScarico:d", "ValScarico:c", "ValScaricoLire:c",
                "DataUltCarico:dt", "DataUltScarico:dt", "ValScaUC:c", "ValScaUCLire:c", "QtaImpCli:d",
                "ValImpCli:c", "ValImpCliLire:c", "QtaOrdFor:d", "ValOrdFor:c", "ValOrdForLire:c"} +
              Serie("ProgrQta", 1, 5, "d") + Serie("ProgrQtaIniz", 1, 5, "d"),
          {"Anno", "Magazzino", "Articolo", "Livello1", "Livello2"},
          // An article's stock over all warehouses (the line window asks it
          // at every article) is read by year and article: without this
          // order of the key the engine walks every row of the year.
          {{"Anno", "Articolo", "Magazzino", "Livello1", "Livello2"}}));
  add(Tab("ArtScorte",
          {"Articolo:art", "Magazzino:cod", "Livello1:cod", "Livello2:cod",
           "ScortaMinima:d"},
          {"Articolo", "Magazzino", "Livello1", "Livello2"}));
  add(Tab("ArtListini",
          {"Articolo:art", "Listino:cod", "Livello1:cod", "Livello2:cod",
           "DataInizio:dt", "DataFine:dt", "Prezzo:c", "PrezzoLire:c", "ScoSomSost:f",
           "Sconto:sco"},
          {"Articolo", "Listino", "Livello1", "Livello2", "DataInizio"}));
  add(Tab("ArtLisPromozioni",
          {"Articolo:art", "Listino:cod", "Livello1:cod", "Livello2:cod",
           "DataInizioProm:dt", "DataFineProm:dt",
           // also read under the list's own names for the validity
           "DataInizio:dt", "DataFine:dt", "PrezzoProm:c", "PrezzoLireProm:c", "ScontoClie:f",
           "MessProm:f", "Descrizione:des"},
          {"Articolo", "Listino", "Livello1", "Livello2", "DataInizioProm"}));
  add(Tab("ArtLingue", {"Articolo:art", "Lingua:cod", "DesLunga:m"}, {"Articolo", "Lingua"}));
  add(Tab("ArtLegami", {"ArticoloPadre:art", "ArticoloFiglio:art", "UM:cod", "Qta:d"},
          {"ArticoloPadre", "ArticoloFiglio"}));
  add(Tab("Listini",
          {"Listino:cod", "Descrizione:des", "Moneta:cod", "Ivato:f",
           "ScoSomSost:f", "Sconto:sco"},
          {"Listino"}));
  add(Tab("LivGruppi", {"LivGruppo:cod", "Descrizione:des", "LunCodBarre:i"}, {"LivGruppo"}));
  add(Tab("LivComp", {"LivGruppo:cod", "Livello:cod"}, {"LivGruppo", "Livello"}));
  add(Tab("Livelli", {"Livello:cod", "Descrizione:des", "LivBarCode:t:20"}, {"Livello"}));
  add(CodiceDescr("BeniUsati", "BeneUsato", "t:20"));
  // Discount rules: every selector is part of the key, "~ç~" (or "~ç" for
  // group and ledger, "~" for the kind) standing for "any".
  {
    Campi selettori = Campi{"Articolo:art"} + Conto3() +
                      Campi{"ArtGruppo:cod", "ArtsottoGru:cod", "Categoria:cod"};
    add(Tab("Sconti",
            selettori + Campi{"Tipo:f", "Sconto:sco", "Prezzo:c", "PrezzoLire:c", "PercRidProvv:d",
                              "SommaSost:f"},
            {"Articolo", "Gruppo", "Mastro", "Conto", "Tipo", "ArtGruppo", "ArtsottoGru", "Categoria"}));
    add(Tab("ScoQua",
            selettori + Campi{"DaQuantita:d", "Sconto:sco", "Prezzo:c", "PrezzoLire:c",
                              "ScoTabSost:f", "ScoCliSost:f", "PercRidProvv:d"},
            {"Articolo", "Gruppo", "Mastro", "Conto", "ArtGruppo", "ArtsottoGru", "Categoria", "DaQuantita"}));
  }
  add(Tab("ScontiProvv", {"APartireDa:d", "PercRidProvv:d"}, {"APartireDa"}));
  add(Tab("ArrotLire", {"FinoA:d", "ValArrot:d", "TipoArrot:t:10"}, {"FinoA"}));  // "Nessuno": no bands
  add(Tab("ArrotEuro", {"FinoA:d", "ValArrot:d", "TipoArrot:t:10"}, {"FinoA"}));

  // ---- accounts and the masters of the header ----
  add(Tab("PianoConti",
          Conto3() +
              Campi{"Tipo:f", "Descrizione:des", "RagSoc:rs", "RagSoc2:rs"} +
              Indirizzo() +
              Campi{"Stato:t:5", "Telefono:t:30", "PartIva:t:20", "CodFisc:t:20", "Email:des",
                    "Email2:des", "Email3:des", "Email4:des", "Listino:cod",
                    "Pagamento:cod", "Pagamento2:cod", "Sconto:sco", "Banca:cod",
                    "Iva:cod", "Bolli:f", "SpeseBan:f", "Spesa:cod",
                    "Agente1:cod", "Agente2:cod", "Provv1:d", "Provv2:d", "TipoProvv:f",
                    "TipoProvv2:f", "RagDDT:f", "PrezzoDDT:f", "DicIntenti:m",
                    "NrPrgIntenti:l", "DataRicComIntenti:dt", "NrDichIntenti:l", "DataDichIntenti:dt",
                    "ImportoDichIntenti:c", "Rischio:f", "Fido:c", "IndSped:cod",
                    "RagRb:f", "IvaSosp:f", "Resa:cod", "Vettore:cod",
                    "Categoria:cod", "Lingua:cod", "RagOrd:f", "Zona:cod"} +
              Conto3("Contr") +
              Campi{"DataChiu:dt", "NoteCF:m", "PercRitAcc:d", "CassaPrev:f"} +
              Serie("PdcClasseAttr", 1, 9, "t:20") +
              Campi{"CDC:cod", "CdcObblig:f", "CompGiornMens:f", "MeseNoEf1:i", "MeseNoEf2:i",
                    "GioMesSucc1:i", "GioMesSucc2:i", "CodTrascodifica:t:20", "PercRicListClie:d"},
          {"Gruppo", "Mastro", "Conto"}));
  add(Tab("PdcDicIntenti",
          Conto3() + Campi{"PdcDicIntenti:i", "Attivo:f", "Descrizione:des", "ProtRicezione:t:30",
                           "DataRicAE:dt", "NrPrgIntenti:l", "DataRicComIntenti:dt", "NrDichIntenti:l",
                           "DataDichIntenti:dt", "ImportoDichIntenti:c", "DataDAIntenti:dt", "DataAIntenti:dt",
                           "RifComunicIntenti:i"},
          {"Gruppo", "Mastro", "Conto", "PdcDicIntenti"}));
  add(Tab("IndSped",
          Conto3() + Campi{"IndSped:cod", "Tipo:f", "RagSoc:rs", "RagSoc2:rs"} +
              Indirizzo() + Campi{"Stato:t:5"},
          {"Gruppo", "Mastro", "Conto", "IndSped"}));
  add(Tab("Scadenze",
          Conto3("Scad") + Campi{"Tipo:f", "DataScad:dt", "NumRegPag:l", "DataRegPag:dt",
                                 "EntrataUscita:f", "ImportoScadLire:c", "ImportoScadEuro:c"},
          {}));
  add(Tab("Pagamenti",
          Campi{"Pagamento:cod", "Descrizione:des", "NotaFissa:cod", "Spesa:cod",
                "NumScad:i", "PagTipo:cod", "Sconto:sco", "Decorrenza:f",
                "Periodicita:f", "TrattamIva:f", "GiornoFisso:i", "NumGGMM:i"} +
              Serie("Periodo", 1, 12, "i") + Serie("Percentuale", 1, 12, "d"),
          {"Pagamento"}));
  add(Tab("PagTipi", {"PagTipo:cod", "TipoEffetto:f", "AddBolli:f"}, {"PagTipo"}));
  add(CodiceDescr("Banche", "Banca"));
  add(Tab("TabIva",
          {"Iva:cod", "Descrizione:des", "DescrizioneBreve:t:30", "DescrMemo:m", "Aliquota:d",
           "TipoIva:f", "ApplBolloEse:f", "IvaMargine:d"},
          {"Iva"}));
  add(Tab("TaBolli",
          Campi{"CodEseBollo:cod"} + Conto3("Bol") +
              Campi{"PercBolloTratte:d", "MaxNoBollo:c", "MaxNoBolloLire:c", "BolloEsente:c", "BolloEsenteLire:c",
                    "Arrotond:c", "ArrotondLire:c", "Sca1BolRB:c", "Sca2BolRB:c", "Sca3BolRB:c", "Sca4BolRB:c",
                    "Sca5BolRB:c", "Sca1BolRBLire:c", "Sca2BolRBLire:c", "Sca3BolRBLire:c", "Sca4BolRBLire:c",
                    "Sca5BolRBLire:c", "Bollo1RB:c", "Bollo2RB:c", "Bollo3RB:c", "Bollo4RB:c", "Bollo5RB:c",
                    "Bollo1RBLire:c", "Bollo2RBLire:c", "Bollo3RBLire:c", "Bollo4RBLire:c", "Bollo5RBLire:c"},
          {"CodEseBollo"}));
  add(Tab("Monete",
          {"Moneta:cod", "Descrizione:des", "NumDec:i", "NumDecGest:i", "Operatore:f",
           "Cee:f"},
          {"Moneta"}));
  add(Tab("Vettori",
          Campi{"Vettore:cod", "RagSoc:rs"} + Indirizzo() +
              Campi{"Targa:t:20", "CodTrascodifica:t:20"},
          {"Vettore"}));
  add(CodiceDescr("CauTrasporti", "CauTrasporto"));
  add(CodiceDescr("AspettoBeni", "AspettoBene"));
  add(CodiceDescr("Trasporti", "Trasporto"));
  add(CodiceDescr("Rese", "Resa"));
  add(Tab("Stati", {"Stato:t:5", "Iso:t:5", "Cee:f", "Descrizione:des"}, {"Stato"}));
  add(Tab("Agenti", {"Agente:cod", "RagSoc:rs", "Provv:d"}, {"Agente"}));
  add(Tab("Contratti", {"Contratto:t:20", "Descrizione:des", "CIG:t:20", "CUP:t:20"}, {"Contratto"}));
  add(CodiceDescr("Lingue", "Lingua"));
  add(Tab("Zona", {"Zona:cod", "Sconto:c", "ScontoLire:c", "Descrizione:des"}, {"Zona"}));
  add(Tab("Spese",
          Campi{"Spesa:cod", "Descrizione:des", "TipoAddebito:f", "AddebitoIva:f",
                "Iva:cod", "Moneta:cod", "Percentuale:d", "Importo:c", "ImportoMin:c",
                "ImportoMax:c", "ImportoLire:c", "ImportoMinLire:c", "ImportoMaxLire:c", "SoggRitAcc:f",
                "CassaPrev:f", "Standard:f"} +
              Conto3() + Campi{"RifStampa:cod", "SoggScontoPagam:f"},
          {"Spesa"}));
  add(Tab("NoteFisse", {"NotaFissa:cod", "SuEvasione:f", "Descrizione:des"}, {"NotaFissa"}));
  // Masters the look-up library decodes and the rates it shows.
  add(CodiceDescr("UnitaMisura", "UM"));
  add(CodiceDescr("ArtClassiAttr", "ArtClasseAttr", "t:20"));
  add(CodiceDescr("CentriDiCosto", "CentroDiCosto"));
  add(Tab("CambiMonete", {"Moneta:cod", "DataCambio:dt", "Cambio:d"}, {"Moneta", "DataCambio"}));
  add(Tab("FattDocumenti",
          Campi{"FattDocumento:cod", "Descrizione:des", "Tipo:f", "MagCausale:cod",
                "MagCausaleRientro:cod", "DoveStampoDesLung:f", "PrezzoDDT:f",
                "Listino:cod", "TabSconti:f", "Segno:f", "RegimeMargine:f",
                "Interno:f", "Pagamento:cod", "GgScadCli:l", "AFornitore:f",
                "PrefBolle:f", "MagProposto:cod"} +
              Serie("NumNota", 1, 3, "cod") + Campi{"FattDocEvasione:cod"},
          {"FattDocumento"}));
  return s;
}

std::vector<TabellaCat> CostruisciMenu() {
  return {Tab("Appoggio", Campi{"Codice:t:50"} + Serie("Descr", 1, 5, "t:255") + Serie("Memo", 1, 5, "m"),
              {"Codice"})};
}

// ---- DDL ----

bool Semplice(const std::string& n) {
  if (n.empty() || !(std::isalpha(static_cast<unsigned char>(n[0])) || n[0] == '_')) return false;
  for (char ch : n)
    if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '_')) return false;
  return true;
}

// Reserved words of the server that cannot name a column unquoted.
bool RiservataServer(const std::string& n) {
  static const std::unordered_set<std::string> r = {
      "all", "analyse", "analyze", "and", "any", "array", "as", "asc", "asymmetric", "authorization",
      "binary", "both", "case", "cast", "check", "collate", "collation", "column", "concurrently",
      "constraint", "create", "cross", "current_catalog", "current_date", "current_role",
      "current_schema", "current_time", "current_timestamp", "current_user", "default", "deferrable",
      "desc", "distinct", "do", "else", "end", "except", "false", "fetch", "for", "foreign", "freeze",
      "from", "full", "grant", "group", "having", "ilike", "in", "initially", "inner", "intersect", "into",
      "is", "isnull", "join", "lateral", "leading", "left", "like", "limit", "localtime", "localtimestamp",
      "natural", "not", "notnull", "null", "offset", "on", "only", "or", "order", "outer", "overlaps",
      "placing", "primary", "references", "returning", "right", "select", "session_user", "similar", "some",
      "symmetric", "table", "tablesample", "then", "to", "trailing", "true", "union", "unique", "user",
      "using", "variadic", "verbose", "when", "where", "window", "with"};
  return r.count(n) > 0;
}

// Names: as described on SQLite (always quoted, so a name beginning with a
// digit or equal to a keyword is no problem); lower case on the server, so
// that the unquoted names the translator writes find them, quoted only
// where the server could not read them bare.
std::string Id(const std::string& nome, TipoMotore m) {
  std::string n = m == TipoMotore::Server ? vb::LCase(nome) : nome;
  if (m == TipoMotore::Server && Semplice(n) && !RiservataServer(n)) return n;
  std::string q = "\"";
  for (char ch : n) {
    if (ch == '"') q += "\"\"";
    else q.push_back(ch);
  }
  return q + "\"";
}

std::string TipoDichiarato(const ColonnaCat& c, TipoMotore m) {
  const bool srv = m == TipoMotore::Server;
  switch (c.tipo) {
    case TipoCampo::Testo:
      return (srv ? "varchar(" : "VARCHAR(") + std::to_string(c.lunghezza > 0 ? c.lunghezza : 255) +
             (srv ? ") COLLATE ci" : ") COLLATE NOCASE");
    case TipoCampo::Memo:
      return srv ? "text COLLATE ci" : "TEXT COLLATE NOCASE";
    case TipoCampo::Byte:
      return srv ? "smallint" : "TINYINT";
    case TipoCampo::Intero:
      return srv ? "smallint" : "SMALLINT";
    case TipoCampo::Lungo:
      return srv ? "integer" : "INTEGER";
    case TipoCampo::Doppio:
      return srv ? "double precision" : "DOUBLE";
    case TipoCampo::Importo:
      return srv ? "numeric(19,4)" : "CURRENCY";
    case TipoCampo::Data:
      return srv ? "timestamp(0)" : "DATETIME";
    case TipoCampo::SiNo:
      return srv ? "smallint" : "BIT";
    case TipoCampo::Ignoto:
      break;
  }
  throw std::logic_error("colonna " + c.nome + " senza tipo dichiarabile");
}

std::string ListaColonne(const std::vector<std::string>& colonne, TipoMotore m) {
  std::string s = "(";
  for (size_t i = 0; i < colonne.size(); ++i) {
    if (i) s += ", ";
    s += Id(colonne[i], m);
  }
  return s + ")";
}

bool IniziaCon(const std::vector<std::string>& indice, const std::vector<std::string>& prefisso) {
  if (indice.size() < prefisso.size()) return false;
  for (size_t i = 0; i < prefisso.size(); ++i)
    if (!vb::UgualeTesto(indice[i], prefisso[i])) return false;
  return true;
}

// A table of document rows (Anno + NumRif or Anno + NumReg) whose key does
// not begin with them still gets looked up by document: give it an index.
std::vector<std::string> IndiceDocumento(const TabellaCat& t) {
  if (t.Colonna("Anno") < 0) return {};
  std::vector<std::string> doc;
  if (t.Colonna("NumRif") >= 0) doc = {"Anno", "NumRif"};
  else if (t.Colonna("NumReg") >= 0) doc = {"Anno", "NumReg"};
  else return {};
  if (IniziaCon(t.chiave, doc)) return {};
  for (const auto& u : t.uniche)
    if (IniziaCon(u, doc)) return {};
  return doc;
}

// The lot rows of a document are also read lot by lot, across documents
// (the stock of a lot, the stores it moved in): an index by the lot.
std::vector<std::string> IndiceLotto(const TabellaCat& t) {
  const std::vector<std::string> lotto = {"Articolo", "Lotto", "NrProgLotto", "GruppoCliFor", "MastroCliFor",
                                          "ContoCliFor"};
  if (t.Colonna("RigLiv") < 0) return {};
  for (const auto& c : lotto)
    if (t.Colonna(c) < 0) return {};
  return lotto;
}

// The WHEN branches that refuse, row by row, what the columns of `t` cannot
// hold (SQLite); each raises kPrefissoControllo + number + ":Table.Column".
// An update is checked only in the columns it changes: a row stored before
// the checks existed can still be saved in its other columns.
std::string ControlliValori(const TabellaCat& t, bool aggiornamento) {
  std::string out;
  for (const auto& c : t.colonne) {
    const std::string v = "NEW." + Id(c.nome, TipoMotore::SQLite);
    const std::string cambiato = aggiornamento ? v + " IS NOT OLD." + Id(c.nome, TipoMotore::SQLite) + " AND " : "";
    auto rifiuta = [&](const std::string& condizione, long numero) {
      std::string messaggio = std::string(kPrefissoControllo) + std::to_string(numero) + ":" + t.nome + "." + c.nome;
      std::string q;
      for (char ch : messaggio) {
        if (ch == '\'') q += "''";
        else q.push_back(ch);
      }
      out += " WHEN " + cambiato + condizione + " THEN RAISE(ABORT, '" + q + "')";
    };
    // A number may come as a real: the legacy engine rounded it into the
    // column, so the bounds are those of the rounded value.
    auto numero = [&](const char* minimo, const char* massimo) {
      // Compared one by one: an IN list would build a temporary index at
      // every row the trigger sees, a thousand times slower.
      rifiuta("(typeof(" + v + ") = 'text' OR typeof(" + v + ") = 'blob')", ErrTipoDati);
      if (minimo) rifiuta("NOT (" + v + " >= " + minimo + " AND " + v + " < " + massimo + ")", vb::ErrOverflow);
    };
    switch (c.tipo) {
      case TipoCampo::Testo:
        if (c.lunghezza > 0) rifiuta("length(" + v + ") > " + std::to_string(c.lunghezza), ErrCampoPiccolo);
        break;
      case TipoCampo::Byte: numero("-0.5", "255.5"); break;
      case TipoCampo::Intero: numero("-32768.5", "32767.5"); break;
      case TipoCampo::Lungo: numero("-2147483648.5", "2147483647.5"); break;
      case TipoCampo::Importo: numero("-922337203685477.5", "922337203685477.5"); break;
      case TipoCampo::Doppio:
      case TipoCampo::SiNo: numero(nullptr, nullptr); break;
      case TipoCampo::Memo:
      case TipoCampo::Data:
      case TipoCampo::Ignoto: break;
    }
  }
  return out;
}

}  // namespace

const std::vector<TabellaCat>& SchemaDitta() {
  static const std::vector<TabellaCat> s = CostruisciDitta();
  return s;
}

const std::vector<TabellaCat>& SchemaMenu() {
  static const std::vector<TabellaCat> s = CostruisciMenu();
  return s;
}

void GrafiaDelloSchema(TabellaCat& t) {
  static const std::unordered_map<std::string, const TabellaCat*> perNome = [] {
    std::unordered_map<std::string, const TabellaCat*> m;
    for (const auto* s : {&SchemaDitta(), &SchemaMenu()})
      for (const auto& tab : *s) m.emplace(vb::Piega(tab.nome), &tab);
    return m;
  }();
  auto it = perNome.find(vb::Piega(t.nome));
  if (it == perNome.end()) return;
  const TabellaCat& s = *it->second;
  auto grafia = [&s](std::string& nome) {
    if (const int i = s.Colonna(nome); i >= 0) nome = s.colonne[static_cast<size_t>(i)].nome;
  };
  t.nome = s.nome;
  for (auto& c : t.colonne) grafia(c.nome);
  for (auto& k : t.chiave) grafia(k);
  for (auto& u : t.uniche)
    for (auto& k : u) grafia(k);
}

std::vector<std::string> IstruzioniTabella(const TabellaCat& t, TipoMotore m) {
  const bool srv = m == TipoMotore::Server;
  std::vector<std::string> out;
  const std::string tab = Id(t.nome, m);
  std::string sql = "CREATE TABLE IF NOT EXISTS " + tab + " (";
  for (size_t i = 0; i < t.colonne.size(); ++i) {
    const auto& c = t.colonne[i];
    if (i) sql += ", ";
    sql += Id(c.nome, m) + " " + TipoDichiarato(c, m);
    if (c.obbligatoria) sql += " NOT NULL";
  }
  if (!t.chiave.empty()) sql += ", PRIMARY KEY " + ListaColonne(t.chiave, m);
  sql += ")";
  out.push_back(std::move(sql));

  // Index names are unique per database on both engines: table name + number.
  const std::string base = srv ? vb::LCase(t.nome) : t.nome;
  int n = 0;
  for (const auto& u : t.uniche) {
    out.push_back("CREATE UNIQUE INDEX IF NOT EXISTS " + Id("ux_" + base + "_" + std::to_string(++n), m) +
                  " ON " + tab + " " + ListaColonne(u, m));
  }
  std::vector<std::string> doc = IndiceDocumento(t);
  if (!doc.empty())
    out.push_back("CREATE INDEX IF NOT EXISTS " + Id("ix_" + base + "_doc", m) + " ON " + tab + " " +
                  ListaColonne(doc, m));
  std::vector<std::string> lotto = IndiceLotto(t);
  if (!lotto.empty())
    out.push_back("CREATE INDEX IF NOT EXISTS " + Id("ix_" + base + "_lotto", m) + " ON " + tab + " " +
                  ListaColonne(lotto, m));

  if (!srv) {
    // SQLite stores whatever it is given: a text longer than its column, a
    // number beyond an Integer, a word in a Double column, and the row
    // then cannot be read back. The engine refuses them here, for the
    // program's statements and for any other writer of the file.
    for (const bool aggiornamento : {false, true}) {
      const std::string condizioni = ControlliValori(t, aggiornamento);
      if (condizioni.empty()) break;
      out.push_back("CREATE TRIGGER IF NOT EXISTS " + Id("ck_" + base + (aggiornamento ? "_upd" : "_ins"), m) +
                    (aggiornamento ? " BEFORE UPDATE ON " : " BEFORE INSERT ON ") + tab + " BEGIN SELECT CASE" +
                    condizioni + " END; END");
    }
  }
  if (srv) {
    for (const auto& c : t.colonne) {
      const char* nota = c.tipo == TipoCampo::SiNo ? "sino" : c.tipo == TipoCampo::Byte ? "byte" : nullptr;
      if (nota)
        out.push_back("COMMENT ON COLUMN " + tab + "." + Id(c.nome, m) + " IS '" + nota + "'");
    }
  }
  return out;
}

void CreaSchema(Connessione& c, const std::vector<TabellaCat>& tabelle) {
  if (c.Tipo() == TipoMotore::Server) InstallaRuntimeServer(c);
  const int livello = c.LivelloTransazione();
  c.IniziaTransazione();
  try {
    for (const auto& t : tabelle)
      for (const auto& sql : IstruzioniTabella(t, c.Tipo())) c.Esegui(sql);
    c.ConfermaTransazione();
  } catch (...) {
    AnnullaDopoErrore(c, livello);
    c.AzzeraCatalogo();
    throw;
  }
  c.AzzeraCatalogo();
}

}  // namespace dati
