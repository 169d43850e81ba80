#use gcd
// the least common multiple of any number of whole numbers, at least one;
// 0 when one of them is 0; a nan passes through
function lcm(){
  nonemptycheck("lcm",arguments);
  if(nancheck(arguments))return NaN;
  wholecheck("lcm",arguments);
  var result=1;
  for(var i=0;i<arguments.length;++i){
    var n=Math.abs(arguments[i]);
    result=n===0||result===0?0:result/gcdoftwo(result,n)*n;
  }
  return result;
}
