#include "CommandTable.h"

#include <array>

namespace {

constexpr std::array<CommandAction, 40> actions{{
    {"MasterRawat", "MasterData", "Master &Rawat Aplikasi", 1},
    {"Pemakai", "", "&Pemakai", 2},
    {"MasterPuskesmas", "MasterData", "&Puskesmas", 3},
    {"MasterDokter", "MasterData", "&Dokter", 4},
    {"MasterPoli", "MasterData", "Master P&oli", 5},
    {"MasterPembeli", "Penjualan", "Master &Pelanggan", 6},
    {"DataPembelian", "Pembelian", "Data Pem&belian", 7},
    {"PembelianBaru", "Pembelian", "Pembelian &Baru", 8},
    {"DataPenjualan", "Gudang", "Data Pen&jualan", 9},
    {"PenjualanBaru", "Gudang", "Penjualan Baru &Tunai", 10},
    {"PenjualanBaruNonTunai", "Gudang", "Penjualan Baru &Non Tunai", 11},
    {"KartuInduk", "Laporan", "Kartu &Induk", 12},
    {"BarangTerjual", "Laporan", "Barang &Terlaris", 13},
    {"MasterNota", "MasterData", "&Jenis Penjualan", 15},
    {"MasterServis", "MasterData", "Jasa &Resep dan Embalase", 16},
    {"BarangStok", "ItemBarang", "Stok &Dengan Harga Beli", 17},
    {"HargaJual", "ItemBarang", "&Harga Jual", 18},
    {"JualAskes", "Laporan", "Penjualan &ASKES", 19},
    {"DokterKeluarga", "Laporan", "Penjualan Dokter &Keluarga", 20},
    {"FeeDokter", "Manajer", "Fee &Referensi", 21},
    {"FeeRawat", "Manajer", "Fee Rawat &Aplikasi", 22},
    {"Utang", "Manajer", "&Utang", 23},
    {"Piutang", "Manajer", "&Piutang", 24},
    {"BarangStokTanpa", "ItemBarang", "Stok &Tanpa Harga Beli", 25},
    {"TransaksiTunai", "Keuangan", "Transaksi &Tunai", 26},
    {"MasterProdusen", "MasterData", "Master &Produsen Obat", 27},
    {"PembelianProdusen", "Laporan", "Pembelian Berdasarkan &Produsen", 28},
    {"StokOpname", "ItemBarang", "Data Stok &Opname", 29},
    {"StokOpnameProses", "ItemBarang", "Stok Opname Belum Dalam &Proses", 30},
    {"masterBox", "Toko", "&Master Toko", 31},
    {"boxmasuk", "Toko", "Mutasi Ke &Box", 32},
    {"boxkeluar", "Toko", "Mutasi &Dari Box", 33},
    {"boxjualtunai", "Toko", "Penjualan &Tunai", 34},
    {"boxjualnontunai", "Toko", "Penjualan &Non Tunai", 35},
    {"boxjualdata", "Toko", "Data Pen&jualan Dari Box", 36},
    {"boxmutasi", "Toko", "Data M&utasi Box", 37},
    {"boxstok", "Toko", "Data &Stok Box", 38},
    {"masterkelompok", "MasterData", "Master &Kelompok", 39},
    {"kelompokterlaris", "Laporan", "&Kelompok Terlaris", 40},
    {"bonusPoin", "Laporan", "&Bonus Poin", 41},
}};

} // namespace

std::span<const CommandAction> commandActions() { return actions; }

std::optional<int> commandNumberFromMessage(const QByteArray &message)
{
    bool ok = false;
    const int number = message.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

QByteArray commandMessage(int number) { return QByteArray::number(number); }
