#pragma once
// The footer calculation of one stored document: goods, taxable amounts and
// VAT by VAT key, sales account and cost centre (the summary ogIve), the
// payment discount, the expenses and their apportionment, the withholding
// tax and pension fund, the stamp duty with its share per instalment, the
// document total and the amount to be paid.
//
// The engine only reads. The caller names the four tables of the document
// family (the committed DDT tables, the invoices, the orders, or any other
// set with the same columns), calls CalcPiedeFat and reads oiNumErrori
// first: 0 means every result is complete; otherwise osErrori tells why,
// one line per error. Nothing is ever shown from inside a run.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "fiscal/scIve.h"
#include "platform/CollezioneVettori.h"
#include "platform/Currency.h"
#include "platform/Variant.h"

namespace dati {
class GestRecordset;
}

// The VAT key under which the expenses to apportion wait while a run lasts.
inline constexpr const char* kIvaDaRipartire = "~§~Ç";
inline constexpr const char* kDescrDaRipartire = "Da ripartire";

class scCalcPiedeFat {
 public:
  scCalcPiedeFat();
  ~scCalcPiedeFat();
  scCalcPiedeFat(const scCalcPiedeFat&) = delete;
  scCalcPiedeFat& operator=(const scCalcPiedeFat&) = delete;

  // ---- results
  scIve ogIve;
  vb::Currency odTotMerce;         // goods, net of VAT
  vb::Currency odTotEsente;        // taxable amount of the exempt keys
  vb::Currency odTotEsenteAppBol;  // the part of it that counts for stamp duty
  vb::Currency odTotSpese;
  vb::Currency odTotFattura;
  vb::Currency odTotPagare;
  vb::Currency odTotImponibile;
  vb::Currency odTotIva;
  vb::Currency odTotBolli;
  vb::Currency odTotImpOmaggi;
  vb::Currency odTotOmaggiNoIva;
  vb::Currency odTotOmaggi;
  vb::Currency odTotImpRitAcc;
  vb::Currency odTotImpRitAccEff;
  vb::Currency odRitAcc;
  vb::Currency ouPercCassaPrev;
  vb::Currency ouTotCassaPrev;
  vb::Currency odAbbuono;
  vb::Currency odAcconto;
  bool obFattEsente = false;
  std::string osGruppoBol, osMastroBol, osContoBol;
  vb::Currency odScontoPag;
  std::string osScontoPag;
  bool obApplScontoPag = false;
  vb::CollezioneVettori ogSpese;
  vb::CollezioneVettori ogSpesePerc;
  bool obOmaSIvaPres = false;
  bool obOmaTotPres = false;

  // ---- inputs
  std::string osTabTesta;
  std::string osTabDett;
  std::string osTabLiv;  // empty: the family has no level rows
  std::string osTabSpese;

  double odTotBolliScad = 0;
  bool obBolliEsenti = false;
  std::string osTipoGest;  // "A": purchase side, the header names a supplier
  bool obErrNoDett = true;
  std::string osErrori;
  int16_t oiNumErrori = 0;
  int16_t oiNumSconti = 0;
  bool obCassaPrevNoImpon = false;
  std::string osCassaPrevGruppo, osCassaPrevMastro, osCassaPrevConto;

  // pdPercRitAcc below 0: the header's PercRitAcc. pvAddBolli omitted: the
  // header's Bolli decides the stamp duty, else its text ("S" adds it).
  void CalcPiedeFat(int16_t piAnno, int32_t plNumRif, bool pbCalcRitAcc = false,
                    double pdPercRitAcc = -1, const vb::Variant& pvAddBolli = vb::Missing);
  void AzzeraVarPiede();
  void CalcRitAcc(double pdPercRitAcc, int16_t piNumDec);
  // Stamp duty of instalment piNumScad (index 0 is never filled); an index
  // outside the instalments raises 9.
  double odSpeseScad(int16_t piNumScad) const;
  void odSpeseScad(int16_t piNumScad, double pdSpesaScad);
  int16_t oiSpeseScadNum() const;
  void CalcIvSpese(int16_t piNumDec);
  // Goods total after step piIndSco of the discount chains, net of VAT;
  // 0 outside 1..oiNumSconti.
  double odTotMerceSco(int16_t piIndSco) const;

  // The queries the last run opened, in order, those of its nested
  // withholding run included: what a look at its reading cost starts from.
  const std::vector<std::string>& SqlUltimoCalcolo() const { return msSqlEseguite; }

 private:
  // ---- phases
  bool LeggiTestata();
  void LeggiBolli();
  bool LeggiDettagli();
  void LeggiSpese();
  void RipartizioneIvaSpese();
  void CalcolaRitenuta(double pdPercRitAcc);
  void CalcolaTotali();
  void CalcolaBolli(const vb::Variant& pvAddBolli);
  void ParteFinale();

  // ---- procedures of the phases
  std::string PrepSqlTesta() const;
  std::string PrepSqlDett(bool pbGestVuotiCauz) const;
  std::string PrepSqlSpese() const;
  void AggErrore(long plNumErr, const std::string& psDescr);
  void AggRigaLog(const std::string& psRiga);
  void CalcScontoPag(const std::string& psPrezziIvati, int16_t piNumDec);
  void CalcIva(const std::string& psPrezziIvati, int16_t piNumDec);
  // Spreads the expenses waiting under kIvaDaRipartire over the real keys
  // and removes that key; false (with a logged error) when there is
  // nothing to spread them over.
  bool Ripartisci();
  // Finds or creates a VAT key, its account and the split; the descriptive
  // values are read from the open recordset `k` when the key is new.
  scIva& VoceIva(const std::string& psIva, const std::string& k, bool pbDaRipartire);
  static void AssicuraConto(scIva& iva, const std::string& psConto, const std::string& psCdc,
                            const std::string& psComp);
  // Adds pcImporto to one amount at the three levels: key, account, split.
  static void Somma(scIva& iva, ImportoRiepilogo membro, const std::string& psConto,
                    const std::string& psCdc, const std::string& psComp, vb::Currency pcImporto);
  void AggiungiSpesaTotali(const std::string& psRifStampa, vb::Currency pcImporto);
  bool VerificaBolliTabIva(std::string& psTipoIva, std::string& psDescr, std::string& psDescrLunga,
                           std::string& psDescrMemo, vb::Currency& pcAliquota,
                           std::string& psApplBolloEse);

  double PercSconto(const std::string& psCatena);
  double ImportoScontato(vb::Currency pcPrezzo, double pdQta, double pdPerc, bool pbArrUnit,
                         bool pbArrotonda) const;
  // Opens a read-only snapshot of the company database; its key.
  std::string Apri(const std::string& psSql);

  // ---- reading the open recordsets
  vb::Variant Campo(const std::string& k, const std::string& psNome) const;
  std::string Testo(const std::string& k, const std::string& psNome) const;
  double Numero(const std::string& k, const std::string& psNome) const;
  vb::Currency Importo(const std::string& k, const std::string& psNome) const;

  vb::Currency Arr(vb::Currency c) const;
  vb::Currency ArrDouble(double d) const;

  // ---- run state
  int16_t miAnno = 0;
  int32_t mlNumRif = 0;
  std::string msFase;
  bool mbCalcRitAcc = false;
  std::unique_ptr<dati::GestRecordset> moRs;
  std::string mkTesta, mkBolli, mkDett;
  bool mbGesTaglie = false;
  std::string msContoVenDef;
  bool mbGestVuotiCauz = false;
  bool mbScoPagSuDett = false;
  std::string msRegimeMargine;
  std::string msPrezziIvati = "N";
  int16_t miNumDec = 2;
  std::string msMoneta;
  std::string msTipoEffetto;
  vb::Currency mcMerceNetta;  // goods total net of VAT, base of the expenses
  bool mbRitAccFatta = false;  // the nested withholding run of this run
  std::vector<double> mdTotMerceSco;
  std::vector<double> mdSpeseScad;
  std::vector<std::string> msSqlEseguite;
  std::unordered_map<std::string, double> mmPercSconto;

  // stamp duty
  bool mbBolli = false;
  bool mbBolliScad = false;
  std::string msIvaBolli;
  std::string msContoBolli;
  vb::Currency mcPercBolli;
  vb::Currency mcArrotBolli;
  std::string msModoArrBolli;
  double mdMinBolli = 0;
  double mdMaxBolli = 0;
  vb::Currency mcMaxNoBollo;
  vb::Currency mcBolloEsente;
  vb::Currency mcScaglione[6];
  vb::Currency mcBolloScag[6];
};
