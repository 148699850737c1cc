var Currs=new Array("&#163;","",""), CurrRt=new Array(1.0000,0.0000,0.0), CurrPs=new Array(0,0,0), CurrDP=new Array(2,0,0);
var iNoCurr=2;
var CurrText="";
