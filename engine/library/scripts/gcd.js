#use wholecheck
// the greatest common divisor of any number of whole numbers, at least one
function gcd(){
  wholeargs("gcd",arguments);
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
// The check of gcd and lcm: whole numbers, and at least one of them.
function wholeargs(name,args){
  if(args.length===0)
    throw Error(qsTranslate("domain","%1: there must be at least one argument").arg(name+"()"));
  wholecheck(name,args);
}
