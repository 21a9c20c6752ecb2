#pragma once

// The program's single instances, created at start-up in this order and destroyed in
// reverse by app/. Forms and views reach one another through these pointers only.
class TForm1_zq;
class TForm1_kunci;
class TForm111;
class TForm1_ubahPasswd;
class TAboutBox;
class TForm1_frx;
class TdataMaster;
class TdataLaporan;

extern TForm1_zq *Form1_zq;
extern TForm1_kunci *Form1_kunci;
extern TForm111 *Form111;
extern TForm1_ubahPasswd *Form1_ubahPasswd;
extern TAboutBox *AboutBox;
extern TForm1_frx *Form1_frx;
extern TdataMaster *dataMaster;
extern TdataLaporan *dataLaporan;
