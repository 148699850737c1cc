// A stand-in for the catalogue's home page: a frameset with the index frame
// ZKLIST and the item frame ZKITEM whose script records every call that the
// index and item pages make through `parent.` and answers it the way the
// basket would, without keeping a basket.

export const HARNESS_NAME = 'zk-test-frames.html';

// Functions the pages may call on their parent, with the value each returns.
// Every call is pushed to window.calls as {name, args}; form fields and
// other page objects are recorded by tag, name and value.
const stubScript = String.raw`
var calls = [];
function plain(a) {
  if (a === undefined) return { undef: true };
  if (a && typeof a === 'object' && a.tagName)
    return { tag: String(a.tagName).toUpperCase(), name: a.name || a.getAttribute('name') || '',
             value: ('value' in a) ? String(a.value) : undefined };
  if (a && typeof a === 'object' && typeof a.length === 'number') return Array.prototype.slice.call(a);
  if (a && typeof a === 'object') return { object: String(a) };
  return a;
}
function rec(name, args) {
  var list = [];
  for (var i = 0; i < args.length; i++) list.push(plain(args[i]));
  calls.push({ name: name, args: list });
}
function fa(n) { var v = Math.round(parseFloat(n) * 100) / 100; return isNaN(v) ? 'NaN' : v.toFixed(2); }
var prods = [], iNextProd = 1, fOrderTotal = 0.0, fIncTax = 0.0, DelivCost = 0.0, iItems = 0,
    iDP = 2, iDS = 0, Sch = '', fTRate = 1.0, TName = '', Tu1 = 0.0, PCode = null, iTT = 0,
    CurrSym = '', CurrCurr = 0, CCR = 1.0, trs = [1.0], tts = [''], itp = 0, cit = -1, nit = 10000,
    upditem = false, LastInd = '', lq = 0, lup = 0, ln = 0, iNoSelects = 0;
function cp(in1, up, out1) {
  rec('cp', arguments);
  lq = /^[0-9]+$/.test(in1.value) ? in1.value : 0; lup = up; ln = fa(lq * up);
  out1.value = ln; return ln;
}
function AddProdToQuote() { rec('AddProdToQuote', arguments); return true; }
function GetProdDet() { rec('GetProdDet', arguments); return 0; }
function GetItNo() { rec('GetItNo', arguments); return nit++; }
function GetInd() { rec('GetInd', arguments); return 0; }
function GetTxt() { rec('GetTxt', arguments); return ''; }
function DPVsel(a1, a2) {
  rec('DPVsel', arguments);
  var s = '';
  for (var i = 0; i < a1.length; i++) s += '<OPTION>' + a1[i] + (parseFloat(a2[i]) ? ' (' + fa(a2[i]) + ')' : '');
  return s;
}
function CurrConv(v) { rec('CurrConv', arguments); return fa(v); }
function CurrConv2(v) { rec('CurrConv2', arguments); return fa(v); }
function TaxDisplay(v) { rec('TaxDisplay', arguments); return ''; }
function IncTax(v) { rec('IncTax', arguments); return fa(v); }
function TaxAmt(v) { rec('TaxAmt', arguments); return fa(v); }
function BackLoc(h, i) { rec('BackLoc', arguments); return String(h).replace(/#.*$/, '') + '#POS' + i; }
var names = ['ShowBasket', 'ShowImg', 'SRO', 'ROI', 'OI', 'ROI2', 'OI2', 'IR1', 'IR2', 'IR3', 'IR4',
             'SLR1', 'SLR2', 'AltImage', 'UpdItem', 'DelItem', 'Reset', 'OrderForm', 'SetTax', 'SetCurr', 'dc'];
for (var k = 0; k < names.length; k++)
  (function (n) { window[n] = function () { rec(n, arguments); return true; }; })(names[k]);

// Frame sources chosen by the query string, as the home page does it.
var Fr1 = 'zki00000.html', Fr2 = 'about:blank', q = String(document.location), iq = q.indexOf('?');
if (iq > 0) {
  var rest = q.substring(iq + 1), at;
  if ((at = rest.indexOf('zki')) >= 0) Fr1 = rest.substring(at, at + 8) + '.html';
  if ((at = rest.indexOf('zk0')) >= 0) Fr2 = rest.substring(at, at + 8) + '.html';
}
document.write('<frameset cols="30%,*"><frame name="ZKLIST" src="' + Fr1 + '"><frame name="ZKITEM" src="' + Fr2 + '"></frameset>');
`;

export function harnessHtml() {
  return '<html><head><meta charset="iso-8859-1"><title>catalogue test frames</title>\n' +
    '<script>\n' + stubScript + '\n</script></head></html>\n';
}

// Calls whose object arguments must be real page elements (rollover images,
// table cells), so a rollover that names a missing image is caught.
export const ELEMENT_ARGS = {
  ROI: [0], OI: [0], ROI2: [0], OI2: [0], IR1: [0], IR2: [0], IR3: [0], IR4: [0],
  SLR1: [0], SLR2: [0], SRO: [1], AltImage: [0],
};
