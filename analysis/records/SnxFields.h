#pragma once
#include <cstdint>

// Field numbers of the application's record classes (creator 'YSNX'). Every part of the
// program names fields through these; they are the field numbers of the class tables.

// 'COMN': common analysis settings of a document.
enum ComnField : uint8_t {
    kComnSrat = 0,   // sample rate requested from the live source
    kComnFcrt = 1,   // Fc ratio requested from the live source
    kComnDb = 2,     // 1: amplitude in decibels
    kComnCtdc = 3,   // 1: cut DC
    kComnFtsx = 4,   // FFT order (N = 2^order)
    kComnWnfc = 5,   // window function: 0 rectangular, 1 Hanning, 2 Hamming
    kComnFqlg = 6,   // 1: logarithmic frequency axis
};

// 'FADR': one fader.
enum FadrField : uint8_t {
    kFadrName = 0,
    kFadrFrql = 1,     // band low frequency, Hz
    kFadrFrqh = 2,     // band high frequency, Hz
    kFadrAmpl = 3,     // input range low
    kFadrAmph = 4,     // input range high
    kFadrFdrl = 5,     // output range low
    kFadrFdrh = 6,     // output range high
    kFadrSchn = 7,     // source channel
    kFadrStyp = 8,     // source type
    kFadrFtyp = 9,     // output type
    kFadrCprm = 10,    // output parameters ('YUND'/'PRMS')
    kFadrInput = 11,   // memory only: the input value before mapping
    kFadrLevel = 12,   // memory only: the mapped live level
    kFadrCurrent = 13, // memory only: 1 on the fader editor's current row
};

// 'CHAN': one analysed signal channel.
enum ChanField : uint8_t {
    kChanCrrv = 0,       // waveform cursor 1
    kChanCrrh = 1,       // waveform cursor 2
    kChanCrsv = 2,       // spectrum cursor, amplitude
    kChanCrsh = 3,       // spectrum cursor, frequency
    kChanMinLevel = 4,   // memory only from here on
    kChanMaxLevel = 5,
    kChanPeakLevel = 6,
    kChanPeakPos = 7,
    kChanMinTime = 8,
    kChanMaxTime = 9,
    kChanPeakTime = 10,
};

// 'FDRS': the document root.
enum FdrsField : uint8_t {
    kFdrsDmst = 0,      // DMX console values
    kFdrsMdcs = 1,      // MIDI console table ('YUND'/'PRMT')
    kFdrsComn = 2,      // 'COMN'
    kFdrsFdrs = 3,      // list of 'FADR'
    kFdrsChns = 4,      // list of 'CHAN'
    kFdrsEvts = 5,      // 'EVTS'
    kFdrsFactor = 6,    // memory only: factor of the current source type
    kFdrsScale = 7,     // memory only: display scale of that factor
    kFdrsDecimals = 8,  // memory only: display decimals + 1
    kFdrsPrefix = 9,    // memory only: unit prefix
};

// 'WNDS': common view settings in the preferences.
enum WndsField : uint8_t {
    kWndsTral = 0, kWndsGrid = 1, kWndsDb = 2, kWndsZmrw = 3, kWndsZoom = 4, kWndsChns = 5,
    kWndsLsrc = 6, kWndsSrat = 7, kWndsFcrt = 8, kWndsFqbw = 9, kWndsPort = 10, kWndsFdfl = 11,
    kWndsLgfl = 12, kWndsFbfl = 13, kWndsSpfl = 14, kWndsFqlg = 15, kWndsThtr = 16, kWndsSptl = 17,
    kWndsSpti = 18, kWndsSptd = 19, kWndsSpts = 20, kWndsSpet = 21, kWndsTrud = 22, kWndsTrus = 23,
    kWndsTruf = 24, kWndsDcwp = 25, kWndsDxwp = 26, kWndsMcwp = 27,
};

// 'CHVW': frequency-view settings of a document window.
enum ChvwField : uint8_t {
    kChvwFqzm = 0,      // frequency zoom
    kChvwFqps = 1,      // frequency scroll position
    kChvwGridStep = 2,  // memory only: frequency grid step, Hz
};

// 'WIND': one document window in the preferences.
enum WindField : uint8_t {
    kWindChdv = 0, kWindFddv = 1, kWindTral = 2, kWindGrid = 3, kWindZoom = 4, kWindLsrc = 5,
    kWindFqmd = 6, kWindFqbw = 7, kWindDcfl = 8, kWindLgfl = 9, kWindFbfl = 10, kWindPort = 11,
    kWindLsop = 12, kWindSvpt = 13, kWindSvus = 14, kWindTcpa = 15, kWindPkdt = 16, kWindPkht = 17,
    kWindPkfl = 18, kWindPkfh = 19, kWindZmrw = 20, kWindThtr = 21, kWindEvtr = 22, kWindTrud = 23,
    kWindTrus = 24, kWindTruf = 25, kWindEvwo = 26, kWindTlpt = 27, kWindDcwp = 28, kWindEvwp = 29,
    kWindChvw = 30,
    kWindRate = 31,        // memory only: current sample rate
    kWindDeviceText = 32,  // memory only: text to send to the live source
    kWindRecording = 33,   // memory only: 1 while recording
};

// 'PREF': the preference root.
enum PrefField : uint8_t {
    kPrefMdou = 0,  // MIDI output in use
    kPrefClwo = 1,  // colour window open
    kPrefMdot = 2,  // MIDI output settings ('YUND'/'PRMS')
    kPrefClrs = 3,  // colours ('COLS')
    kPrefMnky = 4,  // menu shortcuts ('YUND'/'PRMT')
    kPrefComn = 5,  // common view settings ('WNDS')
    kPrefDocs = 6,  // list of 'WIND', most recently used last
    kPrefWpcd = 7,  // colour window rectangle
};

// 'COLS': colours and trail display settings.
enum ColsField : uint8_t {
    kColsCrop = 0, kColsTrdh = 1, kColsTrdv = 2, kColsTrdp = 3, kColsClsc = 4, kColsPrsp = 5,
    kColsEvop = 6, kColsCbkg = 7, kColsCgrd = 8, kColsCsmp = 9, kColsCspc = 10, kColsCcrs = 11,
};

// 'EVTS': the event texts of a document; 'EVTX': one event text.
enum EvtsField : uint8_t { kEvtsEvts = 0 };
enum EvtxField : uint8_t { kEvtxTime = 0, kEvtxText = 1 };

// A document never analyses more channels than this: sources deliver at most four values a
// frame, and a damaged file must not make a window allocate without bound.
inline constexpr uint32_t kMaxChannelRecords = 16;
