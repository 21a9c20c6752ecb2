/* TARVEN database: every table, generator, trigger and procedure the module uses.
   Run by isql-fb right after "create database"; SQL dialect 3, default character set
   WIN1252 (the program connects without a character set and sends 8-bit ANSI text). */

set sql dialect 3;

/* ---- users and their privilege flags ---------------------------------------------- */
create generator gen_employees_kode;

create table employees (
  kode       integer not null primary key,
  nama       varchar(40),
  passwd     varchar(40),
  adm        smallint,
  master     smallint,
  manajer    smallint,
  kasir      smallint,
  report     smallint,
  beli       smallint,
  pembelian  smallint,
  penjualan  smallint,
  keuangan   smallint,
  laporan    smallint,
  setting    smallint,
  barang     smallint,
  box        smallint
);

/* ---- health centres ------------------------------------------------------------------- */
create table puskesmas (
  id_puskesmas integer not null primary key,
  nama         varchar(60),
  desa         varchar(40),
  kecamatan    varchar(40),
  kota         varchar(40),
  prop         varchar(40),
  adl_aktif    smallint
);

/* ---- doctors: the name is the key ----------------------------------------------------- */
create table dokter (
  nama     varchar(50) not null primary key,
  nip      varchar(30),
  jabatan  varchar(40)
);

/* ---- clinic units ---------------------------------------------------------------------- */
create generator gen_m_poli_id;

create table m_poli (
  id_poli  integer not null primary key,
  poli     varchar(40)
);

/* ---- maintenance-fee settings ---------------------------------------------------------- */
create generator gen_mantain_fee_idx;

create table mantain_fee (
  idx         integer not null primary key,
  dipake      smallint default 0,
  fee         numeric(15,2),
  fee_rawat0  numeric(15,2)
);

/* ---- sales (read by the monthly fee view) --------------------------------------------- */
create generator gen_jual_id;

create table jual (
  jual_id    bigint not null primary key,
  jual_kode  varchar(20),
  tanggal    date not null,
  tahun      integer not null,
  bulan      integer not null,
  fee_rawat  numeric(15,2)
);

/* Serves "where tahun = ? and bulan = ? group by tanggal order by tanggal". */
create index idx_jual_periode on jual (tahun, bulan, tanggal);

/* ---- month names ----------------------------------------------------------------------- */
create table m_bulan (
  bulan       smallint not null primary key,
  bulan_teks  varchar(20) not null
);

/* ---- session log ----------------------------------------------------------------------- */
create generator gen_log_pemakai;

create table log_pemakai (
  log_kode  varchar(20) not null primary key,
  pemakai   varchar(40),
  mulai     timestamp not null,
  selesai   timestamp
);

set term ^ ;

/* Keys the module leaves to the database: a missing KODE, ID_POLI null or 0, IDX. */
create trigger employees_bi for employees active before insert position 0 as
begin
  if (new.kode is null) then new.kode = next value for gen_employees_kode;
end^

create trigger m_poli_bi for m_poli active before insert position 0 as
begin
  if (new.id_poli is null or new.id_poli = 0) then new.id_poli = next value for gen_m_poli_id;
end^

create trigger mantain_fee_bi for mantain_fee active before insert position 0 as
begin
  if (new.idx is null) then new.idx = next value for gen_mantain_fee_idx;
end^

create trigger jual_bi for jual active before insert position 0 as
begin
  if (new.jual_id is null) then new.jual_id = next value for gen_jual_id;
end^

/* Start of a session: records the user and the time, returns the session code. */
create procedure proses_log_pemakai (ip_pemakai varchar(40))
returns (log_kode varchar(20))
as
begin
  log_kode = 'L' || lpad(next value for gen_log_pemakai, 9, '0');
  insert into log_pemakai (log_kode, pemakai, mulai)
    values (:log_kode, :ip_pemakai, current_timestamp);
  suspend;
end^

/* End of a session: stamps the end time of the session with that code. */
create procedure proses_logout_pemakai (ip_login varchar(20))
as
begin
  update log_pemakai set selesai = current_timestamp
    where log_kode = :ip_login and selesai is null;
end^

/* Heading of the monthly fee statement: one row. */
create procedure rpt_rentangthbl (
  ip_institusi varchar(100), ip_alamat varchar(200), ip_tahun integer, ip_bulan integer)
returns (institusi varchar(100), alamat varchar(200), bulan_teks varchar(20), tahun integer, bulan integer)
as
begin
  institusi = ip_institusi;
  alamat = ip_alamat;
  tahun = ip_tahun;
  bulan = ip_bulan;
  bulan_teks = '';
  select bulan_teks from m_bulan where bulan = :ip_bulan into :bulan_teks;
  suspend;
end^

/* Heading of a statement over a date range: one row. */
create procedure rpt_rentangtanggal (
  ip_institusi varchar(100), ip_alamat varchar(200), ip_tgl1 date, ip_tgl2 date)
returns (institusi varchar(100), alamat varchar(200), tgl1 date, tgl2 date)
as
begin
  institusi = ip_institusi;
  alamat = ip_alamat;
  tgl1 = ip_tgl1;
  tgl2 = ip_tgl2;
  suspend;
end^

set term ; ^

commit;

insert into m_bulan (bulan, bulan_teks) values (1, 'Januari');
insert into m_bulan (bulan, bulan_teks) values (2, 'Februari');
insert into m_bulan (bulan, bulan_teks) values (3, 'Maret');
insert into m_bulan (bulan, bulan_teks) values (4, 'April');
insert into m_bulan (bulan, bulan_teks) values (5, 'Mei');
insert into m_bulan (bulan, bulan_teks) values (6, 'Juni');
insert into m_bulan (bulan, bulan_teks) values (7, 'Juli');
insert into m_bulan (bulan, bulan_teks) values (8, 'Agustus');
insert into m_bulan (bulan, bulan_teks) values (9, 'September');
insert into m_bulan (bulan, bulan_teks) values (10, 'Oktober');
insert into m_bulan (bulan, bulan_teks) values (11, 'November');
insert into m_bulan (bulan, bulan_teks) values (12, 'Desember');

commit;
