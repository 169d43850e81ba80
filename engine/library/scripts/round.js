#use domaincheck
// x rounded to the nearest whole number, or to n decimals (n < 0 rounds to
// tens, hundreds, ...). Halves go away from zero, judged on the number as it
// is written, the shortest text that reads back as x: round(1.005,2) is
// 1.01 and round(-2.5) is -3, although the doubles nearest 1.005 and
// 0.49999999999999994 lie below the halves. The digits are rounded as text
// and read back once, so that no scaling by 10^n loses or overflows.
function round(x,n){
  domaincheck("round",n===undefined?[x]:[x,n]);
  if(n===undefined)n=0;
  if(Math.floor(n)!==n||!isFinite(n))
    throw domainerror("round",[x,n],qsTranslate("domain","%1: the number of decimals must be a whole number"));
  if(!isFinite(x)||x===0)return x;
  var written=roundwritten(Math.abs(x));
  var drop=-n-written.exponent;
  if(drop<=0)return x;
  var digits=written.digits;
  if(drop>digits.length)return 0;
  var kept=digits.substring(0,digits.length-drop);
  if(digits.charAt(digits.length-drop)>="5")kept=roundincrement(kept);
  if(kept==="")return 0;
  var result=Number(kept+"e"+(-n));
  return x<0?-result:result;
}
// The shortest text of a > 0 as {digits, exponent}: a is digits times
// 10^exponent, digits without a point and without trailing zeros.
function roundwritten(a){
  var text=String(a);
  var e=text.indexOf("e");
  var exponent=e<0?0:Number(text.substring(e+1));
  var mantissa=e<0?text:text.substring(0,e);
  var point=mantissa.indexOf(".");
  if(point>=0){
    exponent-=mantissa.length-point-1;
    mantissa=mantissa.substring(0,point)+mantissa.substring(point+1);
  }
  mantissa=mantissa.replace(/^0+/,"");
  var zeros=mantissa.match(/0*$/)[0].length;
  return {digits:mantissa.substring(0,mantissa.length-zeros),exponent:exponent+zeros};
}
// A text of decimal digits plus one: "199" gives "200", "" gives "1".
function roundincrement(digits){
  var i=digits.length-1;
  while(i>=0&&digits.charAt(i)==="9")--i;
  var tail=new Array(digits.length-i).join("0");
  if(i<0)return "1"+tail;
  return digits.substring(0,i)+String(Number(digits.charAt(i))+1)+tail;
}
