/* A small believable data set for trying the program: users with different privileges,
   doctors, clinic units, health centres and four months of sales up to today. */

/* Sign in as admin / admin (all menus), gudang / gudang (Master Data only),
   kasir / kasir (neither Master Data nor Setting). */
insert into employees (nama, passwd, adm, master, manajer, kasir, report, beli, pembelian, penjualan, keuangan, laporan, setting, barang, box)
  values ('admin', 'admin', 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
insert into employees (nama, passwd, adm, master, manajer, kasir, report, beli, pembelian, penjualan, keuangan, laporan, setting, barang, box)
  values ('gudang', 'gudang', 0, 1, 0, 0, 1, 1, 1, 0, 0, 1, 0, 1, 1);
insert into employees (nama, passwd, adm, master, manajer, kasir, report, beli, pembelian, penjualan, keuangan, laporan, setting, barang, box)
  values ('kasir', 'kasir', 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0);
insert into employees (nama, passwd, adm, master, manajer, kasir, report, beli, pembelian, penjualan, keuangan, laporan, setting, barang, box)
  values ('Siti Rahayu', 'mawar77', 0, 0, 1, 0, 1, 0, 0, 0, 1, 1, 1, 0, 0);

insert into dokter (nama, nip, jabatan) values ('dr. Andi Wijaya', '19780312 200501 1 004', 'Dokter Umum');
insert into dokter (nama, nip, jabatan) values ('dr. Ratna Sari, Sp.A', '19820925 200903 2 002', 'Dokter Spesialis Anak');
insert into dokter (nama, nip, jabatan) values ('drg. Budi Santoso', '19750601 200212 1 001', 'Dokter Gigi');
insert into dokter (nama, nip, jabatan) values ('dr. Maya Lestari', '19900114 201801 2 003', 'Dokter Umum');
insert into dokter (nama, nip, jabatan) values ('dr. Hendra Gunawan, Sp.PD', '19700808 199803 1 006', 'Dokter Spesialis Penyakit Dalam');

insert into m_poli (id_poli, poli) values (0, 'Poli Umum');
insert into m_poli (id_poli, poli) values (0, 'Poli Gigi');
insert into m_poli (id_poli, poli) values (0, 'Poli Anak');
insert into m_poli (id_poli, poli) values (0, 'Poli KIA');
insert into m_poli (id_poli, poli) values (0, 'Poli Lansia');

insert into puskesmas (id_puskesmas, nama, desa, kecamatan, kota, prop, adl_aktif)
  values (1, 'Puskesmas Sukamaju', 'Sukamaju', 'Cibeunying', 'Bandung', 'Jawa Barat', 1);
insert into puskesmas (id_puskesmas, nama, desa, kecamatan, kota, prop, adl_aktif)
  values (2, 'Puskesmas Mekarsari', 'Mekarsari', 'Cimahi Tengah', 'Cimahi', 'Jawa Barat', 1);
insert into puskesmas (id_puskesmas, nama, desa, kecamatan, kota, prop, adl_aktif)
  values (3, 'Puskesmas Tanjung', 'Tanjung', 'Lembang', 'Bandung Barat', 'Jawa Barat', 0);

insert into mantain_fee (dipake, fee, fee_rawat0) values (1, 250, 0);

commit;

/* Four months of sales up to today: a few sales on most days, each carrying the
   application maintenance fee; now and then a return (no sale code) or a sale without fee. */
set term ^ ;
execute block as
  declare d date;
  declare n integer;
  declare i integer;
begin
  d = dateadd(month, -3, current_date);
  d = dateadd(day, 1 - extract(day from d), d);
  while (d <= current_date) do
  begin
    if (extract(weekday from d) <> 0) then
    begin
      n = 3 + mod(extract(day from d) * 7 + extract(month from d), 9);
      i = 0;
      while (i < n) do
      begin
        insert into jual (jual_kode, tanggal, tahun, bulan, fee_rawat)
          values (
            iif(mod(:i + extract(day from :d), 11) = 0, null,
                'J' || extract(year from :d) || lpad(extract(month from :d), 2, '0')
                    || lpad(extract(day from :d), 2, '0') || '-' || lpad(:i + 1, 3, '0')),
            :d, extract(year from :d), extract(month from :d),
            iif(mod(:i, 13) = 12, null, 250 + mod(:i * 50, 200)));
        i = i + 1;
      end
    end
    d = dateadd(day, 1, d);
  end
end^
set term ; ^

commit;
