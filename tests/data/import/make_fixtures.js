// Writes the spreadsheet fixtures of the participant import tests.
const XLSX = require('xlsx');
const out = process.argv[2];

function book(rows) {
  const ws = XLSX.utils.aoa_to_sheet(rows);
  const wb = XLSX.utils.book_new();
  XLSX.utils.book_append_sheet(wb, ws, '名单');
  // The second sheet makes the workbook stream larger than 4 KiB: libfreexl cannot read
  // workbooks small enough to sit in the compound file's mini stream.
  const filler = [['第二张表']];
  for (let i = 1; i <= 400; i++) filler.push(['填充' + i, i]);
  XLSX.utils.book_append_sheet(wb, XLSX.utils.aoa_to_sheet(filler), '其他');
  return wb;
}

// Rows 1-4 are participants (row 4 has only column 2); row 5 is empty in columns 1-3 but has
// column 4; row 6 must not be read.
const basic = [
  ['张三', '销售部', 5],
  ["O'Brien", '技术"部', 'abc'],
  ['王五', null, 7],
  [null, '仅备注', null],
  [null, null, null, 'only-d.jpg'],
  ['赵六', '不应导入', 1],
];
XLSX.writeFile(book(basic), out + '/basic.xlsx', { bookSST: true });
XLSX.writeFile(book(basic), out + '/basic.xls', { bookType: 'biff8' });

// Six filled rows, for the sheet row limit.
const six = [1, 2, 3, 4, 5, 6].map(i => ['人员' + i, '部门' + i, i]);
XLSX.writeFile(book(six), out + '/sixrows.xls', { bookType: 'biff8' });
XLSX.writeFile(book(six), out + '/sixrows.xlsx');

// Column A: a value with a number format; column B: the text it must show.
const d = (y, m, day, h = 0, mi = 0, s = 0) =>
  (Date.UTC(y, m - 1, day, h, mi, s) - Date.UTC(1899, 11, 30)) / 86400000;
const cases = [
  [42, null, '42'],
  [3.5, null, '3.5'],
  [0.1 + 0.2, null, '0.3'],
  [12345678901, null, '12345678901'],
  [1234.5, '0.00', '1234.50'],
  [1234567.891, '#,##0.00', '1,234,567.89'],
  [-5, '0.0', '-5.0'],
  [0.256, '0%', '26%'],
  [d(2024, 1, 5), 'yyyy-mm-dd', '2024-01-05'],
  [d(2024, 1, 5), 'm/d/yy', '2024/1/5'],
  [d(2024, 1, 5, 13, 45, 30), 'h:mm:ss', '13:45:30'],
  [d(2024, 1, 5, 13, 45, 30), 'm/d/yy h:mm', '2024/1/5 13:45'],
  [d(2024, 1, 5), 'yyyy"年"m"月"d"日"', '2024年1月5日'],
  [true, null, 'TRUE'],
];
const ws = {};
cases.forEach(([v, z, text], i) => {
  const cell = typeof v === 'boolean' ? { t: 'b', v } : { t: 'n', v };
  if (z) cell.z = z;
  ws[XLSX.utils.encode_cell({ r: i, c: 0 })] = cell;
  ws[XLSX.utils.encode_cell({ r: i, c: 1 })] = { t: 's', v: text };
});
ws['!ref'] = XLSX.utils.encode_range({ s: { r: 0, c: 0 }, e: { r: cases.length - 1, c: 1 } });
const wb = XLSX.utils.book_new();
XLSX.utils.book_append_sheet(wb, ws, 'formats');
XLSX.writeFile(wb, out + '/formats.xlsx');
