// n! for the whole numbers n from 0 up
function factorial(n){
  if(typeof n!=="number"||n<0||Math.floor(n)!==n)
    throw Error(qsTranslate("factorial","Can`t calculate factorial(%1)").arg(String(n)));
  if(n>170)return Infinity;
  var product=1;
  for(var i=2;i<=n;++i)product*=i;
  return product;
}
