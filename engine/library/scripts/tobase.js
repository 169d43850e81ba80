#use domaincheck
// the text of x written in base 2 to 36, or in tally marks for base 1:
// tobase(255,16) is ff. A whole number is written with all its digits; a
// fraction with as many significant digits as a double holds in the base
// (53 in base 2, 34 in base 3, 16 in base 10), rounded at the last one, and
// without trailing zeros: tobase(0.5,2) is 0.1. The digits come from exact
// arithmetic on the double's value, so no digit is made up or dropped.
function tobase(x,base){
  domaincheck("tobase",[x,base]);
  if(base>36)throw Error(qsTranslate("tobase","convert (x, base): numeric base must be <= 36"));
  if(base<1)throw Error(qsTranslate("tobase","convert (x, base): numeric base must be > 0"));
  if(Math.floor(base)!==base)
    throw Error(qsTranslate("tobase","convert (x, base): numeric base must be a whole number"));
  if(base===1){
    if(Math.floor(x)!==x||x<0||x>4096)
      throw Error(qsTranslate("tobase","convert (x, base): base 1 takes whole numbers from 0 to 4096"));
    return new Array(x+1).join("1");
  }
  if(x!==x)return x;
  if(!isFinite(x))
    throw domainerror("tobase",[x,base],qsTranslate("domain","%1: the argument must be finite"));
  var text=tobasedigits(Math.abs(x),base);
  return x<0&&text!=="0"?"-"+text:text;
}
// a >= 0 in base b: a is m 2^e with a whole m below 2^53; the digits of
// round(a b^places) are written, the point set places digits from the right.
function tobasedigits(a,b){
  var m=a,e=0;
  while(m!==Math.floor(m)){m*=2;--e;}
  while(m>=9007199254740992){m/=2;++e;}
  var places=0;
  if(e<0){
    var significant=Math.ceil(53*Math.LN2/Math.log(b));
    var lead=Math.floor(Math.log(a)/Math.log(b));
    places=Math.max(0,significant-1-lead);
  }
  var n=tobasebig(m);
  for(var shift=e;shift>0;shift-=24)n=tobasetimes(n,Math.pow(2,Math.min(shift,24)),0);
  if(e<0){
    for(var i=0;i<places;++i)n=tobasetimes(n,b,0);
    n=tobasehalve(n,-e);
  }
  var digits="";
  while(n.length){
    var q=tobasedivide(n,b);
    digits="0123456789abcdefghijklmnopqrstuvwxyz".charAt(q.rest)+digits;
    n=q.quotient;
  }
  while(digits.length<=places)digits="0"+digits;
  var whole=digits.substring(0,digits.length-places);
  var fraction=digits.substring(digits.length-places).replace(/0+$/,"");
  return fraction===""?whole:whole+"."+fraction;
}
// Whole numbers as arrays of 24-bit limbs, lowest first, without high zeros.
function tobasebig(m){
  var n=[];
  for(;m>0;m=Math.floor(m/16777216))n.push(m%16777216);
  return n;
}
// n times the factor (at most 2^24), plus a small whole number.
function tobasetimes(n,factor,plus){
  var result=[],carry=plus;
  for(var i=0;i<n.length;++i){
    var t=n[i]*factor+carry;
    carry=Math.floor(t/16777216);
    result.push(t-carry*16777216);
  }
  for(;carry>0;carry=Math.floor(carry/16777216))result.push(carry%16777216);
  return result;
}
// {quotient, rest} of n divided by d (at most 2^24).
function tobasedivide(n,d){
  var quotient=[],rest=0;
  for(var i=n.length-1;i>=0;--i){
    var t=rest*16777216+n[i];
    var q=Math.floor(t/d);
    rest=t-q*d;
    quotient[i]=q;
  }
  while(quotient.length&&quotient[quotient.length-1]===0)quotient.pop();
  return {quotient:quotient,rest:rest};
}
// n divided by 2^bits, rounded half up: n/2^(bits-1) rounded down in steps
// of at most 24 bits, plus one, halved.
function tobasehalve(n,bits){
  for(var step=bits-1;step>0;step-=24)n=tobasedivide(n,Math.pow(2,Math.min(step,24))).quotient;
  return tobasedivide(tobasetimes(n,1,1),2).quotient;
}
