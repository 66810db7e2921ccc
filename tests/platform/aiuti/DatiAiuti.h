#pragma once
// Master data for the tests of the look-up library and of the decoders: a
// few rows in the tables the kinds read.
#include <string>

#include "platform/dati/GestDatabase.h"

namespace prova {

inline void RiempiAnagrafiche(dati::GestDatabase& db, const std::string& k) {
  auto sql = [&](const std::string& s) { db.EseguiSql(k, s); };
  sql("Insert into TabIva (Iva, Descrizione, Aliquota) Values ('22', 'Aliquota 22%', 22)");
  sql("Insert into TabIva (Iva, Descrizione, Aliquota) Values ('10', 'Aliquota 10%', 10)");
  sql("Insert into TabIva (Iva, Descrizione, Aliquota) Values ('4', 'Aliquota 4%', 4)");
  sql("Insert into TabIva (Iva, Descrizione, Aliquota) Values ('E10', 'Esente art. 10', 0)");
  sql("Insert into TabIva (Iva, Descrizione, Aliquota) Values ('N41', 'Non imponibile art. 41', 0)");

  sql("Insert into PianoConti (Gruppo, Mastro, Conto, Tipo, Descrizione, Localita, Email, Email2) Values "
      "('04', '01', '0012', '3', 'Ferramenta Rossi Srl', 'Verona', 'rossi@esempio.it', 'ordini@rossi.it')");
  sql("Insert into PianoConti (Gruppo, Mastro, Conto, Tipo, Descrizione, Localita) Values "
      "('04', '01', '0013', '3', 'Boutique Eleganza', 'Mantova')");
  sql("Insert into PianoConti (Gruppo, Mastro, Conto, Tipo, Descrizione, Localita) Values "
      "('07', '01', '0003', '2', 'Utensilerie Lombarde', 'Brescia')");
  sql("Insert into PianoConti (Gruppo, Mastro, Conto, Tipo, Descrizione) Values "
      "('60', '01', '0001', '1', 'Ricavi merci')");
  sql("Insert into IndSped (Gruppo, Mastro, Conto, IndSped, RagSoc, Localita) Values "
      "('04', '01', '0012', '001', 'Ferramenta Rossi - Magazzino', 'Verona')");
  sql("Insert into IndSped (Gruppo, Mastro, Conto, IndSped, RagSoc, Localita) Values "
      "('04', '01', '0013', '002', 'Boutique Eleganza - Deposito', 'Suzzara')");

  sql("Insert into LivGruppi (LivGruppo, Descrizione) Values ('TAGLIE', 'Taglie')");
  sql("Insert into LivGruppi (LivGruppo, Descrizione) Values ('COLORI', 'Colori')");
  for (const char* l : {"S", "M", "L"}) {
    sql(std::string("Insert into Livelli (Livello, Descrizione) Values ('") + l + "', 'Taglia " + l + "')");
    sql(std::string("Insert into LivComp (LivGruppo, Livello) Values ('TAGLIE', '") + l + "')");
  }
  sql("Insert into Livelli (Livello, Descrizione) Values ('BLU', 'Blu')");
  sql("Insert into Livelli (Livello, Descrizione) Values ('NER', 'Nero')");
  sql("Insert into LivComp (LivGruppo, Livello) Values ('COLORI', 'BLU')");
  sql("Insert into LivComp (LivGruppo, Livello) Values ('COLORI', 'NER')");

  sql("Insert into Articoli (Articolo, Descrizione, Inattivo, Immagine) Values "
      "('VITE0410', 'Viti 4x10 zincate', 'N', 'viti.jpg')");
  sql("Insert into Articoli (Articolo, Descrizione, Inattivo, LivGruppo1, LivGruppo2) Values "
      "('MAGLIA01', 'Maglia girocollo', 'N', 'TAGLIE', 'COLORI')");
  sql("Insert into Articoli (Articolo, Descrizione, Inattivo, LivGruppo1) Values "
      "('PANT01', 'Pantaloni', 'N', 'TAGLIE')");
  sql("Insert into Articoli (Articolo, Descrizione, Inattivo) Values ('VECCHIO', 'Articolo dismesso', 'S')");

  sql("Insert into Listini (Listino, Descrizione, Ivato) Values ('01', 'Listino vendita', 'N')");
  sql("Insert into Listini (Listino, Descrizione, Ivato) Values ('02', 'Listino al pubblico', 'S')");
  sql("Insert into ArtListini (Articolo, Listino, Livello1, Livello2, DataInizio, DataFine, Prezzo, PrezzoLire) "
      "Values ('VITE0410', '01', '~ç~', '~ç~', #2026-01-01#, #9999-12-31#, 0.12, 232)");
  sql("Insert into ArtListini (Articolo, Listino, Livello1, Livello2, DataInizio, DataFine, Prezzo, PrezzoLire) "
      "Values ('VITE0410', '02', '~ç~', '~ç~', #2026-01-01#, #9999-12-31#, 0.15, 290)");
  sql("Insert into ArtListini (Articolo, Listino, Livello1, Livello2, DataInizio, DataFine, Prezzo, PrezzoLire) "
      "Values ('MAGLIA01', '01', 'M', 'BLU', #2026-01-01#, #9999-12-31#, 25, 48407)");

  sql("Insert into CambiMonete (Moneta, DataCambio, Cambio) Values ('USD', #2026-01-01#, 1.1)");
  sql("Insert into CambiMonete (Moneta, DataCambio, Cambio) Values ('USD', #2026-06-01#, 1.085)");
  sql("Insert into BeniUsati (BeneUsato, Descrizione) Values ('BU1', 'Usato garantito')");
  sql("Insert into Lotti (Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, NrProgLotto, Descrizione) "
      "Values ('OLIO5L', '07', '01', '0004', 'L2026-045', 1, 'Lotto di gennaio')");
  sql("Insert into Lotti (Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, NrProgLotto, Descrizione) "
      "Values ('OLIO5L', '07', '01', '0005', 'L2026-045', 1, 'Lotto di gennaio, altro fornitore')");
  sql("Insert into TabDecod (Chiave, Codice, Descrizione) Values ('C', 'BIO', 'Biologico')");
  sql("Insert into TabDecod (Chiave, Codice, Descrizione) Values ('T', 'BIO', 'Trattamento bio')");
}

}  // namespace prova
