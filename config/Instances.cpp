#include "Instances.h"

TForm1_zq *Form1_zq = nullptr;
TForm1_kunci *Form1_kunci = nullptr;
TForm111 *Form111 = nullptr;
TForm1_ubahPasswd *Form1_ubahPasswd = nullptr;
TAboutBox *AboutBox = nullptr;
TForm1_frx *Form1_frx = nullptr;
TdataMaster *dataMaster = nullptr;
TdataLaporan *dataLaporan = nullptr;
