#use domaincheck
#use wholecheck
// the greatest common divisor of any number of whole numbers, at least one;
// a nan passes through
function gcd(){
  nonemptycheck("gcd",arguments);
  if(nancheck(arguments))return NaN;
  wholecheck("gcd",arguments);
  var result=0;
  for(var i=0;i<arguments.length;++i)result=gcdoftwo(result,arguments[i]);
  return result;
}
function gcdoftwo(a,b){
  a=Math.abs(a);
  b=Math.abs(b);
  while(b){var rest=a%b;a=b;b=rest;}
  return a;
}
