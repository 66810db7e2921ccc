#pragma once
// The VAT summary of one footer calculation, on three nested levels: the
// VAT rows (scIva, one per VAT key), the sales accounts of a VAT row
// (scControP) and the cost-centre/accrual splits of an account
// (scControPCDCComp). Every level carries the same eighteen amounts, each
// kept up to date by the footer engine separately, level by level. Keys
// ignore letter case and the rows stay in the order they were added: the
// engine walks them in that order and settles remainders on the last one.
#include <cstdint>
#include <string>
#include <vector>

#include "fiscal/Collezione.h"
#include "platform/Currency.h"

// The amounts shared by the three levels.
struct ImportiRiepilogo {
  vb::Currency odImpon;              // taxable amount
  vb::Currency odImpos;              // VAT
  vb::Currency odMerce;              // goods value
  vb::Currency odTotImpoImpos;       // taxable amount plus VAT
  vb::Currency odIvaOmaggioT;        // VAT of the gifts "S"
  vb::Currency odImpOmaggioT;        // taxable amount of the gifts "S"
  vb::Currency odSVal;               // ordinary lines without payment discount
  vb::Currency odSValPerSco;         // ordinary lines with payment discount
  vb::Currency odScoPagam;           // payment discount on odSValPerSco
  vb::Currency odSValOmaggio;        // gifts "I" without payment discount
  vb::Currency odSValOmaggioPerSco;  // gifts "I" with payment discount
  vb::Currency odScoPagamOmaggio;    // payment discount on odSValOmaggioPerSco
  vb::Currency odSValOmaggioT;       // gifts "S"
  vb::Currency odSValSpese;          // expenses without payment discount
  vb::Currency odSValSpesePerSco;    // expenses with payment discount
  vb::Currency odScoPagamSpese;      // payment discount on the expenses
  vb::Currency odSValIvSpese;        // odSValSpese with its VAT
  vb::Currency odSValIvSpesePerSco;  // odSValSpesePerSco with its VAT
};

// One amount of the three levels, for code that treats them alike.
using ImportoRiepilogo = vb::Currency ImportiRiepilogo::*;

class scControPCDCComp : public ImportiRiepilogo {
 public:
  std::string osKey;
  std::string osCentroDiCosto;
  std::string osCompetenza;
};

class scControP : public ImportiRiepilogo {
 public:
  std::string osConto;
  fiscal::Collezione<scControPCDCComp> ocCdcCompetenza;

  const std::string& osIndex() const { return osConto; }
  void osIndex(const std::string& psConto) { osConto = psConto; }

  bool obCdcCompEsiste(const std::string& psCentroDiCosto, const std::string& psCompetenza) const;
  void AddCdcComp(const std::string& psCentroDiCosto, const std::string& psCompetenza);
  scControPCDCComp& ogCdcComp(const std::string& psCentroDiCosto,
                              const std::string& psCompetenza) const;
};

class scIva : public ImportiRiepilogo {
 public:
  std::string osIva;
  std::string osDescrizione;
  std::string osDescrMemo;
  std::string osDescrLunga;
  std::string osTipoIva;
  bool obIvaEsente = false;
  vb::Currency odAliquota;
  bool obForzato = false;
  vb::Currency odBaseScoPagam;
  vb::Currency odTotScoPagam;
  std::string osApplBolloEse;
  vb::Currency odIncid;
  vb::Currency odSpeseRipart;
  fiscal::Collezione<scControP> ocCollControPte;
  int16_t oiNumSconti = 0;
  bool obIvaBolli = false;

  const std::string& osIndex() const { return osIva; }
  void osIndex(const std::string& psIva) { osIva = psIva; }

  // The amounts of an account (pbConto true) or of one of its splits.
  // The account, and the split, must exist (error 5).
  ImportiRiepilogo& Livello(const std::string& psConto, bool pbConto,
                            const std::string& psCentroDiCosto, const std::string& psCompetenza) const;

#define SCIVA_LIVELLO(nome, membro)                                                          \
  vb::Currency& nome(const std::string& psConto, bool pbConto,                              \
                     const std::string& psCentroDiCosto, const std::string& psCompetenza) { \
    return Livello(psConto, pbConto, psCentroDiCosto, psCompetenza).membro;                 \
  }
  SCIVA_LIVELLO(odCPImpon, odImpon)
  SCIVA_LIVELLO(odCPImpos, odImpos)
  SCIVA_LIVELLO(odCPMerce, odMerce)
  SCIVA_LIVELLO(odCPTotImpoImpos, odTotImpoImpos)
  SCIVA_LIVELLO(odCPSIvaOmaggioT, odIvaOmaggioT)
  SCIVA_LIVELLO(odCPSImpOmaggioT, odImpOmaggioT)
  SCIVA_LIVELLO(odCPSVal, odSVal)
  SCIVA_LIVELLO(odCPSValPerSco, odSValPerSco)
  SCIVA_LIVELLO(odCPScoPagam, odScoPagam)
  SCIVA_LIVELLO(odCPSValOmaggio, odSValOmaggio)
  SCIVA_LIVELLO(odCPSValOmaggioPerSco, odSValOmaggioPerSco)
  SCIVA_LIVELLO(odCPScoPagamOmaggio, odScoPagamOmaggio)
  SCIVA_LIVELLO(odCPSValOmaggioT, odSValOmaggioT)
  SCIVA_LIVELLO(odCPSValSpese, odSValSpese)
  SCIVA_LIVELLO(odCPSValSpesePerSco, odSValSpesePerSco)
  SCIVA_LIVELLO(odCPScoPagamSpese, odScoPagamSpese)
  SCIVA_LIVELLO(odCPSValIvSpese, odSValIvSpese)
  SCIVA_LIVELLO(odCPSValIvSpesePerSco, odSValIvSpesePerSco)
#undef SCIVA_LIVELLO

  bool obCPEsiste(const std::string& psConto) const noexcept;
  // The account must exist (error 5); the split may not.
  bool obCdcCompEsiste(const std::string& psConto, const std::string& psCentroDiCosto,
                       const std::string& psCompetenza) const;
  void CPClear();
  void AddControP(const std::string& psConto, const std::string& psCentroDiCosto,
                  const std::string& psCompetenza);
  void AddCdcComp(const std::string& psConto, const std::string& psCentroDiCosto,
                  const std::string& psCompetenza);
  scControP& ogControp(const std::string& psControP) const;
  scControPCDCComp& ogCdcComp(const std::string& psControP, const std::string& psCentroDiCosto,
                              const std::string& psCompetenza) const;

  // Goods value after each step of the lines' discount chains: indexes 1
  // to oiNumSconti once prepared; index 0 exists and is never summed.
  void PrepMerceSco(int16_t piIndSconto);
  double odMerceSco(int16_t piIndSconto) const;
  void odMerceSco(int16_t piIndSconto, double pdImpScontato);

 private:
  std::vector<double> mdMerceSco = std::vector<double>(1, 0.0);
};

class scIve {
 public:
  fiscal::Collezione<scIva> ocCollIva;

  bool obEsiste(const std::string& psIva) const noexcept { return ocCollIva.Esiste(psIva); }
  void Clear() { ocCollIva.Clear(); }
  void AddIva(const std::string& psIva);
  scIva& ogIva(const std::string& psIva) const { return ocCollIva.Item(psIva); }

  int16_t oiNumSconti(const std::string& psIva) const { return ogIva(psIva).oiNumSconti; }
  void PrepMerceSco(const std::string& psIva, int16_t piIndSconto) {
    ogIva(psIva).PrepMerceSco(piIndSconto);
  }
  double odMerceSco(const std::string& psIva, int16_t piIndSconto) const {
    return ogIva(psIva).odMerceSco(piIndSconto);
  }
  void odMerceSco(const std::string& psIva, int16_t piIndSconto, double pdImpScontato) {
    ogIva(psIva).odMerceSco(piIndSconto, pdImpScontato);
  }

  // Indexed members: the member of the same name of the row of the key,
  // to read and to write. A missing key raises 5.
#define SCIVE_MEMBRO(tipo, nome) \
  tipo& nome(const std::string& psIva) { return ogIva(psIva).nome; }
  SCIVE_MEMBRO(std::string, osDescrizione)
  SCIVE_MEMBRO(std::string, osDescrMemo)
  SCIVE_MEMBRO(std::string, osDescrLunga)
  SCIVE_MEMBRO(std::string, osTipoIva)
  SCIVE_MEMBRO(bool, obIvaEsente)
  SCIVE_MEMBRO(vb::Currency, odImpon)
  SCIVE_MEMBRO(vb::Currency, odAliquota)
  SCIVE_MEMBRO(vb::Currency, odImpos)
  SCIVE_MEMBRO(vb::Currency, odMerce)
  SCIVE_MEMBRO(vb::Currency, odTotImpoImpos)
  SCIVE_MEMBRO(vb::Currency, odBaseScoPagam)
  SCIVE_MEMBRO(vb::Currency, odTotScoPagam)
  SCIVE_MEMBRO(vb::Currency, odSVal)
  SCIVE_MEMBRO(vb::Currency, odSValPerSco)
  SCIVE_MEMBRO(vb::Currency, odScoPagam)
  SCIVE_MEMBRO(vb::Currency, odSValOmaggio)
  SCIVE_MEMBRO(vb::Currency, odIvaOmaggioT)
  SCIVE_MEMBRO(vb::Currency, odImpOmaggioT)
  SCIVE_MEMBRO(vb::Currency, odSValOmaggioPerSco)
  SCIVE_MEMBRO(vb::Currency, odScoPagamOmaggio)
  SCIVE_MEMBRO(vb::Currency, odSValOmaggioT)
  SCIVE_MEMBRO(vb::Currency, odSValSpese)
  SCIVE_MEMBRO(vb::Currency, odSValSpesePerSco)
  SCIVE_MEMBRO(vb::Currency, odScoPagamSpese)
  SCIVE_MEMBRO(vb::Currency, odSValIvSpese)
  SCIVE_MEMBRO(vb::Currency, odSValIvSpesePerSco)
  SCIVE_MEMBRO(vb::Currency, odIncid)
  SCIVE_MEMBRO(std::string, osApplBolloEse)
  SCIVE_MEMBRO(vb::Currency, odSpeseRipart)
#undef SCIVE_MEMBRO
};
