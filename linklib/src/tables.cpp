// The relay's alarm and measurement tables and the version constants.
// Texts are UTF-16 literals; "AU\u0427" ends in a Cyrillic Che, "M\u03A9" holds a Greek
// capital omega, rows 25 and 26 of the measurement table use an en dash.
#include "relvo7link.h"

extern "C" {

const uint32_t dll_nVerDll = 31;
const uint32_t dll_nVerDevAdr = 217;
const uint32_t dll_nVerMinor = 10;
const uint32_t dll_nVerMajor = 55;

// Row i is bit i of the relay's alarm word: {nValueAdr, nDivider, pszUnit, pszCode, pszText}.
const _tagSTRUCT_ERR_INFO dll_nErrInfo[RELVO7_ERR_INFO_COUNT] = {
    {300, 10, u"A", u"Ai^", u"Zabezpieczenie nadprądowe fazowe"},
    {301, 0, u"", u"Adt", u"Zabezpieczenie przed przeciążeniem termicznym"},
    {302, 10, u"A", u"Ai_", u"Zabezpieczenie ziemnozwarciowe"},
    {303, 0, u"%", u"AiO", u"Zabezpieczenie przed przekroczeniem krotności"},
    {304, 10, u"A", u"Aio", u"Zabezpieczenie przed niezrównoważeniem składowej przeciwnej"},
    {305, 10, u"A", u"Ai=", u"Zabezpieczenie przed minimalnym prądem fazowym"},
    {306, 10, u"A", u"APP", u"Wydłużony rozruch"},
    {307, 10, u"A", u"APb", u"Zablokowanie wirnika"},
    {308, 0, u"*C", u"At1", u"Temperatura czujnika 1"},
    {309, 0, u"*C", u"At2", u"Temperatura czujnika 2"},
    {310, 0, u"", u"AUЧ", u"Zabezpieczenie przed nieprawidłową kolejnością faz"},
    {311, 10, u"A", u"ACo", u"Prąd przy odłączonym przekaźniku"},
    {312, 0, u"V", u"AU=", u"Minimalne napięcie liniowe"},
    {313, 0, u"V", u"AU^", u"Maksymalne napięcie liniowe"},
    {314, 0, u"V", u"AU*", u"Asymetria"},
    {315, 10, u"MΩ", u"Ari", u"Izolacja uzwojeń"},
    {0, 0, u"", u"Adu", u"Zdalne sterowanie"},
    {0, 0, u"", u"EAd", u"Zatrzymanie silnika bez ponownego rozruchu"},
    {0, 0, u"", u"EOd", u"Zatrzymanie silnika z ponownym rozruchem"},
    {0, 0, u"", u"ES1", u"Zwarcie czujnika 1"},
    {0, 0, u"", u"EO1", u"Przerwanie czujnika 1"},
    {0, 0, u"", u"ES2", u"Zwarcie czujnika 2"},
    {0, 0, u"", u"EO2", u"Przerwanie czujnika 2"},
    {0, 0, u"", u"EiU", u"Zanik fazy"},
    {0, 0, u"", u"EEP", u"Eeprom uszkodzony"},
    {325, 10, u"mA", u"AAi", u"Analogowy 0-20 mA prądu"},
    {326, 10, u"V", u"AAU", u"Napięcie analogowe 0-10 V"},
    {0, 0, u"", u"---", u"---"},
    {0, 0, u"", u"---", u"---"},
    {0, 0, u"", u"---", u"---"},
    {0, 0, u"", u"---", u"---"},
    {0, 0, u"", u"ind", u"Rozruch nie nastąpi"},
};

// Row r is value r of every measurement block and sample: {nDivider, pszCode, pszUnit, pszText}.
const _tagSTRUCT_MEASURE_INFO dll_nMeasureInfo[RELVO7_MEASURE_INFO_COUNT] = {
    {10, u"iF1", u"A", u"Wartość skuteczna prądu fazowego F1"},
    {10, u"iF2", u"A", u"Wartość skuteczna prądu fazowego F2"},
    {10, u"iF3", u"A", u"Wartość skuteczna prądu fazowego F3"},
    {10, u"iF0", u"A", u"Składowa zerowa prądu"},
    {10, u"iS1", u"A", u"Wartość średnia prądu F1"},
    {10, u"iS2", u"A", u"Wartość średnia prądu F2"},
    {10, u"iS3", u"A", u"Wartość średnia prądu F3"},
    {10, u"in1", u"A", u"Największa wartość średniego prądu F1"},
    {10, u"in2", u"A", u"Największa wartość średniego prądu F2"},
    {10, u"in3", u"A", u"Największa wartość średniego prądu F3"},
    {10, u"iPU", u"A", u"Prąd rozruchowy silnika"},
    {10, u"iPE", u"A", u"Prąd przeciążeniowy (średni dla wszystkich faz)"},
    {1, u"tPU", u"s", u"Czas rozruchu"},
    {10, u"ioP", u"A", u"Składowa przeciwna prądu"},
    {1, u"UF1", u"V", u"Wartość skuteczna napięcia fazowego F1"},
    {1, u"UF2", u"V", u"Wartość skuteczna napięcia fazowego F2"},
    {1, u"UF3", u"V", u"Wartość skuteczna napięcia fazowego F3"},
    {1, u"UL1", u"V", u"Wartość skuteczna napięcia liniowego AB"},
    {1, u"UL2", u"V", u"Wartość skuteczna napięcia liniowego BC"},
    {1, u"UL3", u"V", u"Wartość skuteczna napięcia liniowego CA"},
    {1, u"UPP", u"V", u"Napięcie składowej zgodnej"},
    {1, u"UoP", u"V", u"Napięcie składowej przeciwnej"},
    {1, u"UnP", u"V", u"Napięcie składowej zerowej"},
    {1, u"dt1", u"*C", u"Temperatura czujnika 1"},
    {1, u"dt2", u"*C", u"Temperatura czujnika 2"},
    {10, u"ini", u"mA", u"Wejście analogowe – prądowe"},
    {10, u"inU", u"V", u"Wejście analogowe – napięciowe"},
    {1, u"Str", u"h", u"Licznik czasu pracy urządzenia"},
    {10, u"FFF", u"Hz", u"Częstotliwość sieci"},
    {1, u"tOP", u"s", u"Czas pracy do odłączenia na skutek przeciążenia"},
    {1, u"tAP", u"s", u"Czas do zakończenia opóźnienia SPZ"},
    {1, u"ttP", u"s", u"Czas oczekiwania po odłączeniu na skutek przeciążenia"},
    {10, u"rid", u"MΩ", u"Rezystancja izolacji"},
    {1, u"", u"%", u"Grzanie"},
    {100, u"", u"kVA", u"Moc całkowita"},
    {100, u"", u"kW", u"Moc aktywna"},
    {100, u"", u"kVAr", u"Moc reaktywna"},
    {100, u"", u"kVA", u"Faza 1 Moc całkowita"},
    {100, u"", u"kVA", u"Faza 2 Moc całkowita"},
    {100, u"", u"kVA", u"Faza 3 Moc całkowita"},
    {100, u"", u"kW", u"Faza 1 Moc czynna"},
    {100, u"", u"kW", u"Faza 2 Moc czynna"},
    {100, u"", u"kW", u"Faza 3 Moc czynna"},
    {100, u"", u"kVAr", u"Faza 1 Moc bierna"},
    {100, u"", u"kVAr", u"Faza 2 Moc bierna"},
    {100, u"", u"kVAr", u"Faza 3 Moc bierna"},
    {100, u"", u"", u"Faza 1 Cosinus fi"},
    {100, u"", u"", u"Faza 2 Cosinus fi"},
    {100, u"", u"", u"Faza 3 Cosinus fi"},
};

}  // extern "C"
